#include "platform/dispatch/real_clock.hpp"

namespace dispatch {

RealClock::RealClock()
    : m_start(std::chrono::duration_cast<Nanoseconds>(
                  std::chrono::system_clock::now().time_since_epoch()) -
              kReferenceDateSinceUnixEpoch) {}

Nanoseconds RealClock::now() const {
    return m_start + std::chrono::duration_cast<Nanoseconds>(std::chrono::steady_clock::now() -
                                                             m_steadyStart);
}

} // namespace dispatch
