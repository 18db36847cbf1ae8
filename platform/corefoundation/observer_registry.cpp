#include "platform/corefoundation/observer_registry.hpp"

#include "platform/corefoundation/notify_folder.hpp"

#include <cerrno>
#include <set>
#include <system_error>
#include <vector>

namespace corefoundation {

std::uint64_t ObserverRegistry::add(std::string_view name, Handler handler) {
    if (!m_watch)
        arm();
    const auto id = ++m_lastId;
    m_observers.emplace(
        id, Observer{std::string(name), std::make_shared<const Handler>(std::move(handler))});
    return id;
}

void ObserverRegistry::remove(std::uint64_t id) {
    if (m_observers.erase(id) > 0 && m_observers.empty())
        disarm();
}

void ObserverRegistry::rearmIfNeeded() {
    if (m_watch || m_observers.empty())
        return;
    try {
        arm();
    } catch (const std::system_error&) {
        // Still unwatchable; the next post or observer tries again.
    }
}

void ObserverRegistry::arm() {
    const auto folder = notifyFolder();
    if (!ensureNotifyFolder(folder))
        throw std::system_error(ENOENT, std::generic_category(),
                                "cannot create notify folder " + folder.string());
    m_watch.emplace(folder);
    std::weak_ptr<ObserverRegistry> weak = weak_from_this();
    m_source = m_loop.addReadSource(m_watch->fd(), [weak] {
        if (const auto registry = weak.lock())
            registry->deliverChanges();
    });
}

void ObserverRegistry::disarm() {
    m_source.cancel();
    m_watch.reset();
}

void ObserverRegistry::deliverChanges() {
    if (!m_watch)
        return;
    auto changes = m_watch->readChanges();
    if (changes.folderGone)
        disarm();
    // Events were lost: any observed name may have been posted, and a spurious delivery of a
    // payload-free notification is harmless where a lost one is not.
    if (changes.overflowed)
        for (const auto& [id, observer] : m_observers)
            changes.names.insert(observer.name);

    // Snapshot first: handlers may add and remove observers while we deliver.
    std::vector<std::pair<std::uint64_t, std::string>> due;
    for (const auto& [id, observer] : m_observers)
        if (changes.names.contains(observer.name))
            due.emplace_back(id, observer.name);
    for (const auto& [id, name] : due) {
        const auto observer = m_observers.find(id);
        if (observer == m_observers.end())
            continue;
        const auto handler = observer->second.handler;
        (*handler)(name);
    }
}

} // namespace corefoundation
