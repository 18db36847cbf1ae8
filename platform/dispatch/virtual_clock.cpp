#include "platform/dispatch/virtual_clock.hpp"

#include <stdexcept>

namespace dispatch {

void VirtualClock::set(Nanoseconds time) {
    if (time < m_now)
        throw std::logic_error("virtual clock cannot run backwards");
    m_now = time;
}

} // namespace dispatch
