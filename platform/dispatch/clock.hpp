// The time source of a run loop. Times are nanoseconds since the platform's reference date
// (2001-01-01 00:00:00 UTC), so dates can be derived from the same clock that drives timers.
// RealClock runs in the apps; VirtualClock runs in tests and moves only when told to.
#pragma once

#include <chrono>
#include <cmath>
#include <limits>

namespace dispatch {

using Nanoseconds = std::chrono::nanoseconds;

// Seconds between the Unix epoch and the platform's reference date.
inline constexpr std::chrono::seconds kReferenceDateSinceUnixEpoch{978307200};

class Clock {
public:
    virtual ~Clock() = default;
    virtual Nanoseconds now() const = 0;
};

// Seconds to nanoseconds, rounded; infinities and out-of-range values saturate, NaN is zero.
inline Nanoseconds toNanoseconds(double seconds) {
    constexpr double limit = static_cast<double>(std::numeric_limits<Nanoseconds::rep>::max());
    const double nanoseconds = seconds * 1e9;
    if (std::isnan(nanoseconds))
        return Nanoseconds::zero();
    if (nanoseconds >= limit)
        return Nanoseconds::max();
    if (nanoseconds <= -limit)
        return Nanoseconds::min();
    return Nanoseconds{std::llround(nanoseconds)};
}

inline double toSeconds(Nanoseconds nanoseconds) {
    return std::chrono::duration<double>(nanoseconds).count();
}

} // namespace dispatch
