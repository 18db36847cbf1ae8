// The notify folder of the device root, where each notification name is a file, and posting:
// a post rewrites the name's file, which every watcher of the folder sees as one event.
#pragma once

#include <filesystem>
#include <string_view>

namespace corefoundation {

// <device root>/private/var/run/notify, resolved now (TINTBOX_ROOT may change between tests).
std::filesystem::path notifyFolder();

// Creates the notify folder when missing; false when that fails.
bool ensureNotifyFolder(const std::filesystem::path& folder);

// Rewrites the file of `name` (which must be valid) in `folder`. Never follows a symbolic link
// planted under the name. False when the file cannot be written.
bool touchNotificationFile(const std::filesystem::path& folder, std::string_view name);

} // namespace corefoundation
