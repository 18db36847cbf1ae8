// Device paths: every fixed path of the platform (/var/mobile/..., /Library/...) names a file
// under the device root, a folder chosen by TINTBOX_ROOT (default
// $XDG_DATA_HOME/tintbox/device, or ~/.local/share/tintbox/device). As on the device, /var is
// /private/var, so both spellings resolve to the same file even before the root's var link exists.
#pragma once

#include <filesystem>
#include <string_view>

namespace foundation {

// The device root of this process.
std::filesystem::path deviceRoot();

// The host file that a device path names, e.g. "/var/mobile/Library/Preferences/x.plist" ->
// <root>/private/var/mobile/Library/Preferences/x.plist. The path must be absolute; ".." at
// the device's "/" stays there, so the result never lies outside the root.
std::filesystem::path devicePath(std::string_view platformPath);

} // namespace foundation
