#include "platform/box_profile.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace sim {

namespace {

constexpr double Pi = 3.14159265358979323846;

// The parts of "name:a:b:c" after the name.
std::vector<std::string> Arguments(const std::string& profile) {
    std::vector<std::string> parts;
    std::stringstream in(profile);
    std::string part;
    std::getline(in, part, ':');
    while (std::getline(in, part, ':')) parts.push_back(part);
    return parts;
}

bool Number(const std::vector<std::string>& args, size_t i, double& out) {
    if (i >= args.size() || args[i].empty()) return true;  // keep the default
    char* end = nullptr;
    out = std::strtod(args[i].c_str(), &end);
    return *end == '\0';
}

class Constant : public Profile {
  public:
    explicit Constant(uint8_t value) : value_(value) {}
    uint8_t next(double) override { return value_; }

  private:
    uint8_t value_;
};

// START, START+STEP, ... wrapping round at 256.
class Ramp : public Profile {
  public:
    Ramp(int start, int step) : value_(start), step_(step) {}
    uint8_t next(double) override {
        const auto raw = static_cast<uint8_t>(value_ & 0xFF);
        value_ = (value_ + step_) & 0xFF;
        return raw;
    }

  private:
    int value_;
    int step_;
};

// A slow swing round the middle of the raw range.
class Sine : public Profile {
  public:
    explicit Sine(double period) : period_(period) {}
    uint8_t next(double seconds) override {
        return static_cast<uint8_t>(std::lround(128 + 100 * std::sin(2 * Pi * seconds / period_)));
    }

  private:
    double period_;
};

// Newton's cooling of a cup of hot water in the room, seen through the air sensor.
class Cooling : public Profile {
  public:
    Cooling(double from, double room, double tau, double low, double high)
        : from_(from), room_(room), tau_(tau), low_(low), high_(high) {}
    uint8_t next(double seconds) override {
        const double degrees = room_ + (from_ - room_) * std::exp(-seconds / tau_);
        return RawForDegrees(degrees, low_, high_);
    }

  private:
    double from_, room_, tau_, low_, high_;
};

// The values of a file, over and over.
class Script : public Profile {
  public:
    explicit Script(std::vector<uint8_t> values) : values_(std::move(values)) {}
    uint8_t next(double) override {
        const uint8_t raw = values_[at_];
        at_ = (at_ + 1) % values_.size();
        return raw;
    }

  private:
    std::vector<uint8_t> values_;
    size_t at_ = 0;
};

}  // namespace

uint8_t RawForDegrees(double degrees, double low, double high) {
    const double raw = std::lround((degrees - low) / (high - low) * 255);
    if (raw < 0) return 0;
    if (raw > 255) return 255;
    return static_cast<uint8_t>(raw);
}

bool ParseScript(const std::string& text, std::vector<uint8_t>& values, std::string& error) {
    std::string item;
    auto take = [&]() {
        if (item.empty()) return true;
        char* end = nullptr;
        const long value = std::strtol(item.c_str(), &end, 10);
        if (*end != '\0' || value < 0 || value > 255) {
            error = "not a raw byte 0..255: " + item;
            return false;
        }
        values.push_back(static_cast<uint8_t>(value));
        item.clear();
        return true;
    };
    for (const char c : text) {
        if (c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (!take()) return false;
        } else {
            item += c;
        }
    }
    if (!take()) return false;
    if (values.empty()) error = "no values";
    return !values.empty();
}

std::unique_ptr<Profile> MakeProfile(const std::string& profile, double sensorLow,
                                     double sensorHigh, std::string& error) {
    const std::string name = profile.substr(0, profile.find(':'));
    const std::vector<std::string> args = Arguments(profile);
    if (name == "constant") {
        double value = -1;
        if (!Number(args, 0, value) || value < 0 || value > 255 || value != std::floor(value)) {
            error = "constant needs a raw byte 0..255";
            return nullptr;
        }
        return std::make_unique<Constant>(static_cast<uint8_t>(value));
    }
    if (name == "ramp") {
        double start = 0, step = 1;
        if (!Number(args, 0, start) || !Number(args, 1, step)) {
            error = "ramp:START:STEP takes whole numbers";
            return nullptr;
        }
        return std::make_unique<Ramp>(static_cast<int>(start), static_cast<int>(step));
    }
    if (name == "sine") {
        double period = 60;
        if (!Number(args, 0, period) || period <= 0) {
            error = "sine:PERIOD takes seconds above 0";
            return nullptr;
        }
        return std::make_unique<Sine>(period);
    }
    if (name == "cooling") {
        double from = 45, room = 20, tau = 300;
        if (!Number(args, 0, from) || !Number(args, 1, room) || !Number(args, 2, tau) || tau <= 0) {
            error = "cooling:FROM:ROOM:TAU takes degrees, degrees and seconds";
            return nullptr;
        }
        return std::make_unique<Cooling>(from, room, tau, sensorLow, sensorHigh);
    }
    if (name == "script") {
        const std::string path = profile.size() > 7 ? profile.substr(7) : "";
        std::ifstream file(path);
        if (!file) {
            error = "cannot read " + path;
            return nullptr;
        }
        std::stringstream text;
        text << file.rdbuf();
        std::vector<uint8_t> values;
        if (!ParseScript(text.str(), values, error)) return nullptr;
        return std::make_unique<Script>(std::move(values));
    }
    error = "unknown profile " + profile;
    return nullptr;
}

}  // namespace sim
