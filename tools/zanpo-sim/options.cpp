#include "options.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace sim {

namespace {

bool ToDouble(const char* text, double& out) {
    char* end = nullptr;
    out = std::strtod(text, &end);
    return end != text && *end == '\0';
}

bool ToInt(const char* text, int& out) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    out = static_cast<int>(value);
    return end != text && *end == '\0';
}

// "LO:HI", two temperatures.
bool ToRange(const char* text, double& low, double& high) {
    const std::string s(text);
    const auto colon = s.find(':', 1);
    if (colon == std::string::npos) return false;
    return ToDouble(s.substr(0, colon).c_str(), low) &&
           ToDouble(s.substr(colon + 1).c_str(), high) && low != high;
}

}  // namespace

void PrintUsage() {
    std::fputs(
        "usage: zanpo-sim [options] [--run PROGRAM [ARGS...]]\n"
        "A simulated Zanpo on a pseudo-terminal. Prints the device path, then answers\n"
        "every request byte F2 with one raw byte.\n"
        "  --link PATH           keep a symbolic link to the current pty at PATH\n"
        "  --profile PROFILE     constant:N | ramp[:START[:STEP]] | sine[:PERIOD_S]\n"
        "                        | cooling[:FROM_C[:ROOM_C[:TAU_S]]] | script:FILE\n"
        "  --sensor-map LO:HI    degrees at raw 0 and raw 255 for cooling (-20:50)\n"
        "  --silent-for S        no answers during the first S seconds\n"
        "  --burst N             answer N bytes at once\n"
        "  --delay MS            answer MS milliseconds late\n"
        "  --noise P             send a random byte unasked with probability P ...\n"
        "  --noise-every MS      ... in every slot of MS milliseconds (100)\n"
        "  --vanish-after S      go away after S seconds ...\n"
        "  --return-after S      ... and come back S seconds later on a new pty\n"
        "  --log                 log every byte with a time stamp to stderr ...\n"
        "  --log-file PATH       ... or to PATH\n"
        "  --noise-start N       starting value of the noise generator\n"
        "  --run PROGRAM ARGS    run PROGRAM with KELVIRA_PORT1 set to the device;\n"
        "                        stop when it ends\n",
        stderr);
}

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--run") {
            if (i + 1 >= argc) {
                std::fputs("zanpo-sim: --run needs a program\n", stderr);
                return std::nullopt;
            }
            o.run.assign(argv + i + 1, argv + argc);
            return o;
        }
        if (arg == "--log") {
            o.log = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            PrintUsage();
            std::exit(0);
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "zanpo-sim: %s needs a value\n", argv[i]);
            return std::nullopt;
        }
        const char* value = argv[++i];
        bool ok = true;
        int whole = 0;
        if (arg == "--link") {
            o.link = value;
        } else if (arg == "--profile") {
            o.profile = value;
        } else if (arg == "--sensor-map") {
            ok = ToRange(value, o.sensorLow, o.sensorHigh);
        } else if (arg == "--silent-for") {
            ok = ToDouble(value, o.silentFor);
        } else if (arg == "--burst") {
            ok = ToInt(value, o.burst) && o.burst >= 1;
        } else if (arg == "--delay") {
            ok = ToInt(value, o.delayMs) && o.delayMs >= 0;
        } else if (arg == "--noise") {
            ok = ToDouble(value, o.noise) && o.noise >= 0 && o.noise <= 1;
        } else if (arg == "--noise-every") {
            ok = ToInt(value, o.noiseEveryMs) && o.noiseEveryMs >= 1;
        } else if (arg == "--vanish-after") {
            ok = ToDouble(value, o.vanishAfter) && o.vanishAfter >= 0;
        } else if (arg == "--return-after") {
            ok = ToDouble(value, o.returnAfter) && o.returnAfter >= 0;
        } else if (arg == "--log-file") {
            o.logFile = value;
            o.log = true;
        } else if (arg == "--noise-start") {
            ok = ToInt(value, whole);
            o.noiseStart = static_cast<unsigned>(whole);
        } else {
            std::fprintf(stderr, "zanpo-sim: unknown option %s\n", argv[i - 1]);
            return std::nullopt;
        }
        if (!ok) {
            std::fprintf(stderr, "zanpo-sim: bad value for %s: %s\n", argv[i - 1], value);
            return std::nullopt;
        }
    }
    return o;
}

}  // namespace sim
