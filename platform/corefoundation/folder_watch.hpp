// An inotify watch on the notify folder: reports the names of the files that were written and
// closed (or moved in) since the last read. Owns its inotify descriptor; hand fd() to a run
// loop read source and call readChanges() when it is readable.
#pragma once

#include "platform/foundation/file_descriptor.hpp"

#include <filesystem>
#include <set>
#include <string>

namespace corefoundation {

class FolderWatch {
public:
    struct Changes {
        std::set<std::string> names{}; // each written name once, however often it was written
        bool overflowed{false};        // the kernel dropped events: any name may have changed
        bool folderGone{false};        // the folder was removed; the watch is dead
    };

    // Throws std::system_error when the folder cannot be watched.
    explicit FolderWatch(const std::filesystem::path& folder);

    int fd() const { return m_inotify.get(); }
    const std::filesystem::path& folder() const { return m_folder; }
    // Everything waiting, without blocking.
    Changes readChanges();

private:
    std::filesystem::path m_folder{};
    foundation::FileDescriptor m_inotify{};
};

} // namespace corefoundation
