// Which settings file a command reads: --settings FILE, or the device root's settings file.
// Unlike the mail extension, which reads a missing file as "disabled", the command refuses a
// file it cannot read, so that a typo in a path is not mistaken for empty settings.
#pragma once

#include "cli/arguments.hpp"
#include "platform/foundation/value.hpp"

#include <filesystem>
#include <stdexcept>

namespace tintbox::cli {

// A file the user named that cannot be used; its message is one line that names the file.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct SettingsSource {
    std::filesystem::path path;
    foundation::Dictionary dictionary;
};

// Reads the file of --settings, or the device root's; throws InputError when it is missing,
// unreadable or not a dictionary.
SettingsSource settingsSource(const Arguments& arguments);

} // namespace tintbox::cli
