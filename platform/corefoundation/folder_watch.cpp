#include "platform/corefoundation/folder_watch.hpp"

#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <system_error>
#include <unistd.h>

namespace corefoundation {

FolderWatch::FolderWatch(const std::filesystem::path& folder)
    : m_folder(folder), m_inotify(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (!m_inotify)
        throw std::system_error(errno, std::generic_category(), "inotify_init1");
    constexpr auto kEvents = IN_CLOSE_WRITE | IN_MOVED_TO | IN_ONLYDIR;
    if (::inotify_add_watch(m_inotify.get(), folder.c_str(), kEvents) < 0)
        throw std::system_error(errno, std::generic_category(), "watch " + folder.string());
}

FolderWatch::Changes FolderWatch::readChanges() {
    Changes changes;
    alignas(inotify_event) char buffer[16 * 1024];
    while (true) {
        const auto length = ::read(m_inotify.get(), buffer, sizeof buffer);
        if (length <= 0)
            break; // EAGAIN: drained
        for (ssize_t offset = 0; offset < length;) {
            inotify_event event;
            std::memcpy(&event, buffer + offset, sizeof event);
            const char* name = buffer + offset + sizeof event;
            if (event.mask & IN_Q_OVERFLOW)
                changes.overflowed = true;
            if (event.mask & IN_IGNORED)
                changes.folderGone = true;
            if (event.len > 0 && (event.mask & (IN_CLOSE_WRITE | IN_MOVED_TO)) &&
                !(event.mask & IN_ISDIR))
                changes.names.emplace(name, ::strnlen(name, event.len));
            offset += static_cast<ssize_t>(sizeof event + event.len);
        }
    }
    return changes;
}

} // namespace corefoundation
