// What `tintbox init` puts into a device root: the plug-ins that come with the program at their
// device paths (a small table of what comes from where), the mail extension's loader filter, and
// the sample accounts, mail and settings. Every step leaves the user's own files alone and says
// what it did.
//   for (const auto& line : installPlugIns()) out << line << '\n';
#pragma once

#include "platform/foundation/program_files.hpp"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tintbox::cli {

// A file that comes with the program and is not where it should be; the message names the
// path looked at. Commands report it with exit status 1.
class MissingProgramFile : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ProgramFile {
    foundation::ProgramFolder folder;
    std::string_view name; // within the folder
};

struct PlugInInstall {
    std::string_view name;          // "mail extension", for the report
    std::vector<ProgramFile> parts; // copied in order into one file or folder
    std::string_view devicePath;    // where the device keeps it
};

// The plug-ins that come with the program.
const std::vector<PlugInInstall>& plugInInstalls();

// Creates the device root's standard folders and its var -> private/var link; throws
// std::runtime_error (one line) when the root cannot be made or var is something else.
std::vector<std::string> prepareDeviceRoot();

// The files of each plug-in of plugInInstalls(), in its order; throws MissingProgramFile when
// one is not there, so a command can stop before it changes anything.
using PlugInFiles = std::vector<std::vector<std::filesystem::path>>;
PlugInFiles findPlugIns();

// Copies each plug-in to its device path, replacing an older copy whole (a new file is renamed
// over the old one, so a process that has the old one open keeps a sound file), and writes the
// mail extension's filter for the Mail app. Throws std::runtime_error on failure.
std::vector<std::string> installPlugIns(const PlugInFiles& plugIns);

// The sample set that comes with the program; throws MissingProgramFile when it is not there.
std::filesystem::path sampleFolder();

// The sample set of samples/: sample mail into /var/mobile/Library/Mail (a message whose
// Maildir unique name is already in that account's Maildir is never copied again, whatever its
// flags or mailbox now), the sample accounts that the accounts file lacks, and the sample
// settings when the device has none.
std::vector<std::string> installSamples(const std::filesystem::path& samplesFolder);

} // namespace tintbox::cli
