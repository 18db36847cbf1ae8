// The clock of tests: it stands still until the run loop advances it, so timers fire at
// exact, repeatable times and no test ever sleeps.
#pragma once

#include "platform/dispatch/clock.hpp"

namespace dispatch {

class VirtualClock final : public Clock {
public:
    explicit VirtualClock(Nanoseconds start) : m_now(start) {}
    Nanoseconds now() const override { return m_now; }

    // Moves the clock to `time`; time never runs backwards (std::logic_error).
    void set(Nanoseconds time);

private:
    Nanoseconds m_now{};
};

} // namespace dispatch
