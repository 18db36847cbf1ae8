#include "platform/corefoundation/observation.hpp"

#include "platform/corefoundation/observer_registry.hpp"

#include <utility>

namespace corefoundation {

Observation::Observation(Observation&& other) noexcept
    : m_registry(std::move(other.m_registry)), m_id(std::exchange(other.m_id, 0)) {}

Observation& Observation::operator=(Observation&& other) noexcept {
    if (this != &other) {
        cancel();
        m_registry = std::move(other.m_registry);
        m_id = std::exchange(other.m_id, 0);
    }
    return *this;
}

void Observation::cancel() {
    if (const auto registry = m_registry.lock())
        registry->remove(m_id);
    m_registry.reset();
    m_id = 0;
}

bool Observation::isActive() const {
    const auto registry = m_registry.lock();
    return registry && registry->contains(m_id);
}

} // namespace corefoundation
