// The handle of one observer of a notify centre: the observer is registered as long as its
// Observation lives. Safe to destroy from inside the observer's own handler and after the
// centre itself is gone.
#pragma once

#include <cstdint>
#include <memory>

namespace corefoundation {

class ObserverRegistry;

class [[nodiscard]] Observation {
public:
    Observation() = default;
    Observation(std::weak_ptr<ObserverRegistry> registry, std::uint64_t id)
        : m_registry(std::move(registry)), m_id(id) {}
    Observation(Observation&& other) noexcept;
    Observation& operator=(Observation&& other) noexcept;
    Observation(const Observation&) = delete;
    Observation& operator=(const Observation&) = delete;
    ~Observation() { cancel(); }

    void cancel();
    bool isActive() const;

private:
    std::weak_ptr<ObserverRegistry> m_registry{};
    std::uint64_t m_id{0};
};

} // namespace corefoundation
