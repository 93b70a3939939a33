// Whole numbers from the numbers of the configuration files and the entry boxes: rounded to
// the nearest integer with halves going to the even neighbour (2.5 gives 2, 3.5 gives 4).
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace Vexo {

inline double RoundHalfEven(double x) {
    const double below = std::floor(x);
    const double fraction = x - below;
    if (fraction > 0.5) return below + 1;
    if (fraction < 0.5) return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

// The rounded value as a 16-bit integer; nullopt when it does not fit (an overflow), and for
// infinities and NaN, which stand for numbers too large for any field.
inline std::optional<int16_t> ToInt16(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    const double r = RoundHalfEven(x);
    if (r < std::numeric_limits<int16_t>::min() || r > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return static_cast<int16_t>(r);
}

}  // namespace Vexo
