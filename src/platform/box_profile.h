// Where the raw bytes of a simulated box's answers come from: the profiles of zanpo-sim and of
// the demonstration's box inside the program.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sim {

class Profile {
  public:
    virtual ~Profile() = default;
    // The raw byte of the next answer; `seconds` is the time since the box started.
    virtual uint8_t next(double seconds) = 0;
};

// Linear map from degrees to raw bytes: `low` degrees is raw 0, `high` is raw 255.
// Values outside the range stick at its ends.
uint8_t RawForDegrees(double degrees, double low, double high);

// Reads raw byte values separated by commas, blanks or line ends. False (with a reason
// in `error`) when a value is not a whole number 0..255 or there is none.
bool ParseScript(const std::string& text, std::vector<uint8_t>& values, std::string& error);

// Builds the profile that `profile` describes (see --help); on a mistake returns null and
// says why.
std::unique_ptr<Profile> MakeProfile(const std::string& profile, double sensorLow,
                                     double sensorHigh, std::string& error);

}  // namespace sim
