// The handle of a read source or timer of a run loop: the source stays registered as long as
// its Registration lives, and destroying (or cancel()ing) the Registration removes it. Safe to
// destroy from inside any callback, its own included, and after the loop itself is gone.
#pragma once

#include <cstdint>
#include <memory>

namespace dispatch {

class LoopTables;

class [[nodiscard]] Registration {
public:
    Registration() = default;
    Registration(std::weak_ptr<LoopTables> tables, std::uint64_t id)
        : m_tables(std::move(tables)), m_id(id) {}
    Registration(Registration&& other) noexcept;
    Registration& operator=(Registration&& other) noexcept;
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;
    ~Registration() { cancel(); }

    void cancel();
    // Still registered: false once cancelled, and once a one-shot timer has fired.
    bool isActive() const;

private:
    std::weak_ptr<LoopTables> m_tables{};
    std::uint64_t m_id{0};
};

} // namespace dispatch
