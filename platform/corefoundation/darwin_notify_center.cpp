#include "platform/corefoundation/darwin_notify_center.hpp"

#include "platform/corefoundation/notification_name.hpp"
#include "platform/corefoundation/notify_folder.hpp"
#include "platform/corefoundation/observer_registry.hpp"
#include "platform/dispatch/run_loop.hpp"

#include <algorithm>
#include <stdexcept>
#include <system_error>

namespace corefoundation {

DarwinNotifyCenter& DarwinNotifyCenter::shared() {
    static DarwinNotifyCenter center(dispatch::RunLoop::main());
    return center;
}

DarwinNotifyCenter::DarwinNotifyCenter(dispatch::RunLoop& loop)
    : m_registry(std::make_shared<ObserverRegistry>(loop)) {}

DarwinNotifyCenter::~DarwinNotifyCenter() = default;

Observation DarwinNotifyCenter::observe(std::string_view name, Handler handler) {
    if (!isValidNotificationName(name))
        throw std::invalid_argument("refused notification name '" + std::string(name) + "'");
    return Observation(m_registry, m_registry->add(name, std::move(handler)));
}

bool DarwinNotifyCenter::post(std::string_view name) {
    if (!isValidNotificationName(name))
        return false;
    const auto folder = notifyFolder();
    if (!ensureNotifyFolder(folder))
        return false;
    m_registry->rearmIfNeeded();
    return touchNotificationFile(folder, name);
}

bool DarwinNotifyCenter::addObserver(const void* observer, std::string_view name,
                                     CFNotificationCallback callback) {
    if (!callback || !isValidNotificationName(name))
        return false;
    const bool known = std::any_of(m_keyed.begin(), m_keyed.end(), [&](const auto& keyed) {
        return keyed.observer == observer && keyed.name == name && keyed.callback == callback;
    });
    if (known)
        return true;
    try {
        auto observation = observe(name, [this, observer, callback](std::string_view posted) {
            // The platform hands the observer back without const; it is the caller's pointer.
            callback(this, const_cast<void*>(observer), posted, nullptr, nullptr);
        });
        m_keyed.push_back({observer, std::string(name), callback, std::move(observation)});
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

void DarwinNotifyCenter::removeObserver(const void* observer, std::string_view name) {
    std::erase_if(m_keyed, [&](const auto& keyed) {
        return keyed.observer == observer && (name.empty() || keyed.name == name);
    });
}

void DarwinNotifyCenter::removeEveryObserver(const void* observer) {
    removeObserver(observer, {});
}

} // namespace corefoundation
