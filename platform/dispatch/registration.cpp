#include "platform/dispatch/registration.hpp"

#include "platform/dispatch/loop_tables.hpp"

#include <utility>

namespace dispatch {

Registration::Registration(Registration&& other) noexcept
    : m_tables(std::move(other.m_tables)), m_id(std::exchange(other.m_id, 0)) {}

Registration& Registration::operator=(Registration&& other) noexcept {
    if (this != &other) {
        cancel();
        m_tables = std::move(other.m_tables);
        m_id = std::exchange(other.m_id, 0);
    }
    return *this;
}

void Registration::cancel() {
    if (auto tables = m_tables.lock())
        tables->remove(m_id);
    m_tables.reset();
    m_id = 0;
}

bool Registration::isActive() const {
    const auto tables = m_tables.lock();
    return tables && tables->contains(m_id);
}

} // namespace dispatch
