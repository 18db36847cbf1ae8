// The clock of the apps: steady and monotonic, anchored once to the wall clock when it is
// created so that its readings are also usable as dates.
#pragma once

#include "platform/dispatch/clock.hpp"

namespace dispatch {

class RealClock final : public Clock {
public:
    RealClock();
    Nanoseconds now() const override;

private:
    std::chrono::steady_clock::time_point m_steadyStart{std::chrono::steady_clock::now()};
    Nanoseconds m_start{};
};

} // namespace dispatch
