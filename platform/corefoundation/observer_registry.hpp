// The observers of one notify centre and the folder watch that feeds them. The watch is armed
// (folder created, inotify source added to the run loop) when the first observer arrives and
// dropped with the last one. Internal to platform/corefoundation; held by DarwinNotifyCenter.
#pragma once

#include "platform/corefoundation/folder_watch.hpp"
#include "platform/dispatch/registration.hpp"
#include "platform/dispatch/run_loop.hpp"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace corefoundation {

class ObserverRegistry : public std::enable_shared_from_this<ObserverRegistry> {
public:
    using Handler = std::function<void(std::string_view name)>;

    explicit ObserverRegistry(dispatch::RunLoop& loop) : m_loop(loop) {}

    // Throws std::system_error when the notify folder cannot be watched.
    std::uint64_t add(std::string_view name, Handler handler);
    void remove(std::uint64_t id);
    bool contains(std::uint64_t id) const { return m_observers.contains(id); }

    // Re-arms a watch whose folder went away, before this process posts into it again.
    void rearmIfNeeded();

private:
    struct Observer {
        std::string name{};
        std::shared_ptr<const Handler> handler{};
    };

    void arm();
    void disarm();
    void deliverChanges();

    dispatch::RunLoop& m_loop;
    std::uint64_t m_lastId{0};
    std::map<std::uint64_t, Observer> m_observers{};
    std::optional<FolderWatch> m_watch{};
    dispatch::Registration m_source{};
};

} // namespace corefoundation
