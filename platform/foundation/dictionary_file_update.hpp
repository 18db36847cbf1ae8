// Read-change-write of a dictionary property-list file shared by several writing processes.
// Each writer holds an advisory lock (flock on a lock file beside the target) from the reread to
// the rename, so no writer's change is lost to another's; readers take no lock and see the old
// file or the new one. A file that cannot be read is never replaced silently: it is kept beside
// the target under a name that says so, and the result carries a notice saying where.
//   auto update = updateDictionaryFile(path, [](Dictionary& d) { d["enabled"] = true; return true;
//   }); if (!update.error.empty()) report(update.error);
#pragma once

#include "platform/foundation/value.hpp"

#include <filesystem>
#include <functional>
#include <string>

namespace foundation {

struct DictionaryFileUpdate {
    Dictionary contents; // as reread (empty when missing or unreadable), then changed
    bool wrote{false};   // the change is on disk
    std::string error;   // one line naming the file and the reason, when a write failed
    std::string notice;  // one line, when an unreadable file was set aside to make room
};

// Rereads path under the lock and hands its dictionary to change; when change answers true,
// writes the result atomically. A missing file reads as an empty dictionary, so the write
// creates it holding only what change put there. Leftover temporary files of earlier writers
// that were stopped before their rename are removed.
DictionaryFileUpdate updateDictionaryFile(const std::filesystem::path& path,
                                          const std::function<bool(Dictionary&)>& change);

// The lock file that writers of path hold, and the name an unreadable path is kept under.
std::filesystem::path lockFileOf(const std::filesystem::path& path);
std::filesystem::path unreadableBackupOf(const std::filesystem::path& path);

} // namespace foundation
