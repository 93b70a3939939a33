// Command line of the simulated Zanpo.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sim {

struct Options {
    std::string link;                      // stable path to the current pty ("" = none)
    std::string profile = "constant:100";  // what the answers are made of
    double sensorLow = -20;                // degrees for raw 0 (cooling profile)
    double sensorHigh = 50;                // degrees for raw 255
    double silentFor = 0;                  // seconds without answers at start
    int burst = 1;                         // bytes per answer
    int delayMs = 0;                       // answer this late
    double noise = 0;                      // probability of a noise byte per noise slot
    int noiseEveryMs = 100;                // length of a noise slot
    double vanishAfter = -1;               // seconds until the box goes away (< 0: never)
    double returnAfter = -1;               // seconds gone before it comes back (< 0: never)
    bool log = false;                      // log every byte
    std::string logFile;                   // log here instead of stderr
    unsigned noiseStart = 1;               // starting value of the noise generator
    std::vector<std::string> run;          // program and its arguments
};

// Parses argv; on a mistake prints why to stderr and returns nothing.
std::optional<Options> ParseOptions(int argc, char** argv);

void PrintUsage();

}  // namespace sim
