// What `tintbox init` puts into a device root: the built plug-ins at their device paths (a
// small table of what comes from where), the mail extension's loader filter, and the sample
// accounts, mail and settings. Every step leaves the user's own files alone and says what it did.
//   for (const auto& line : installPlugIns()) out << line << '\n';
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tintbox::cli {

struct PlugInInstall {
    std::string_view name;       // "mail extension", for the report
    std::string_view builtPath;  // the build's file or bundle folder; empty when not built
    std::string_view devicePath; // where the device keeps it
};

// The plug-ins of this build, from the build locations compiled into the command.
const std::vector<PlugInInstall>& plugInInstalls();

// Creates the device root's standard folders and its var -> private/var link; throws
// std::runtime_error (one line) when the root cannot be made or var is something else.
std::vector<std::string> prepareDeviceRoot();

// Copies each built plug-in to its device path, replacing an older copy whole (a new file is
// renamed over the old one, so a process that has the old one open keeps a sound file), and
// writes the mail extension's filter for the Mail app. Throws std::runtime_error on failure.
std::vector<std::string> installPlugIns();

// The sample set of samples/: sample mail into /var/mobile/Library/Mail (a message whose
// Maildir unique name is already in that account's Maildir is never copied again, whatever its
// flags or mailbox now), the sample accounts that the accounts file lacks, and the sample
// settings when the device has none.
std::vector<std::string> installSamples(const std::filesystem::path& samplesFolder);

} // namespace tintbox::cli
