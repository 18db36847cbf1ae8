// The Darwin notify centre: named notifications without payload that cross processes. A name
// is a file in the device root's notify folder; posting rewrites it, and every observing
// process (the poster included) sees it through inotify on its main run loop. Posts made
// before a delivery coalesce into one delivery per name and observer.
//
//   auto observation = DarwinNotifyCenter::shared().observe("a.b.c", [](auto name) { ... });
//   DarwinNotifyCenter::shared().post("a.b.c");
#pragma once

#include "platform/corefoundation/cf_types.hpp"
#include "platform/corefoundation/observation.hpp"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dispatch {
class RunLoop;
}

namespace corefoundation {

class ObserverRegistry;

class DarwinNotifyCenter {
public:
    using Handler = std::function<void(std::string_view name)>;

    // The process's centre, delivering on the main run loop.
    static DarwinNotifyCenter& shared();

    // A centre delivering on `loop`, for tests; the platform itself only uses shared().
    explicit DarwinNotifyCenter(dispatch::RunLoop& loop);
    ~DarwinNotifyCenter();
    DarwinNotifyCenter(const DarwinNotifyCenter&) = delete;
    DarwinNotifyCenter& operator=(const DarwinNotifyCenter&) = delete;

    // Calls `handler` on the run loop after each (coalesced) post of `name`. Throws
    // std::invalid_argument for a name that isValidNotificationName refuses, and
    // std::system_error when the notify folder cannot be created or watched.
    Observation observe(std::string_view name, Handler handler);

    // Posts `name` to every observer of every process. False, with nothing written, for a
    // refused name or when the notify folder cannot be written.
    bool post(std::string_view name);

    // The platform's registrations, keyed by observer, name and callback; an identical
    // registration is made once. False when refused (invalid name, no callback, no watch).
    bool addObserver(const void* observer, std::string_view name, CFNotificationCallback callback);
    // Removes the observer's registrations for `name`, or for every name when it is empty.
    void removeObserver(const void* observer, std::string_view name);
    void removeEveryObserver(const void* observer);

private:
    struct KeyedObservation {
        const void* observer{nullptr};
        std::string name{};
        CFNotificationCallback callback{nullptr};
        Observation observation{};
    };

    std::shared_ptr<ObserverRegistry> m_registry;
    std::vector<KeyedObservation> m_keyed{};
};

} // namespace corefoundation
