#include "cli/device_installer.hpp"

#include "platform/foundation/device_path.hpp"
#include "platform/foundation/program_files.hpp"
#include "platform/foundation/property_list.hpp"
#include "platform/objc/tweak_loader.hpp"
#include "settings/keys.hpp"
#include "sim/mail/account_file.hpp"
#include "sim/mail/maildir.hpp"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <unistd.h>

namespace tintbox::cli {
namespace {

namespace fs = std::filesystem;
namespace simmail = tintbox::sim::mail;

constexpr std::string_view kMailBundleIdentifier = "com.apple.mobilemail";
constexpr std::string_view kMailFolder = "/var/mobile/Library/Mail";
constexpr std::string_view kStandardFolders[] = {
    "/var/mobile/Library/Preferences",
    kMailFolder,
    objc::kTweakFolder,
    "/Library/PreferenceBundles",
};

[[noreturn]] void fail(const std::string& what, const std::error_code& error) {
    throw std::runtime_error(what + ": " + error.message());
}

void createFolders(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        fail("cannot create " + folder.string(), error);
}

// A temporary name beside target, for building a replacement before renaming it into place.
fs::path besideTarget(const fs::path& target) {
    std::string name = ".";
    name.append(target.filename().string()).append(".new-").append(std::to_string(::getpid()));
    return target.parent_path() / name;
}

// Builds the target from its parts (a later part's files win) beside it, then renames it over
// the old one.
void replaceWithCopy(const std::vector<fs::path>& parts, const fs::path& target) {
    createFolders(target.parent_path());
    const fs::path staging = besideTarget(target);
    std::error_code error;
    fs::remove_all(staging, error);
    for (const fs::path& part : parts) {
        fs::copy(part, staging, fs::copy_options::recursive | fs::copy_options::overwrite_existing,
                 error);
        if (error) {
            fs::remove_all(staging, error);
            throw std::runtime_error("cannot copy " + part.string() + " to " + target.string());
        }
    }
    if (fs::is_directory(staging))
        fs::remove_all(target, error); // a folder cannot be renamed over a full one
    fs::rename(staging, target, error);
    if (error)
        fail("cannot install " + target.string(), error);
}

void replaceWithCopy(const fs::path& source, const fs::path& target) {
    replaceWithCopy(std::vector<fs::path>{source}, target);
}

void writeMailFilter(const fs::path& dylib) {
    const fs::path filter = fs::path(dylib).replace_extension(".plist");
    const foundation::Dictionary filterPlist{
        {"Filter", foundation::Dictionary{
                       {"Bundles", foundation::Array{foundation::Value(kMailBundleIdentifier)}}}}};
    std::string error;
    if (!foundation::writePropertyListAtomically(foundation::Value(filterPlist), filter, &error))
        throw std::runtime_error(error);
}

bool isMaildirMailbox(const fs::path& folder) {
    std::error_code ignored;
    return fs::is_directory(folder / "cur", ignored) || fs::is_directory(folder / "new", ignored);
}

std::set<std::string> uniqueNamesIn(const fs::path& maildir) {
    std::set<std::string> names;
    for (const auto& folder : simmail::listMaildirFolders(maildir))
        for (const auto& file : simmail::listMaildirFiles(folder.path))
            names.insert(file.uniqueName);
    return names;
}

struct CopyCount {
    int copied{0};
    int present{0};
};

// Copies the sample account's messages that the target Maildir does not have yet, and gives
// every mailbox the cur/, new/ and tmp/ folders that Maildir readers expect.
void copySampleMaildir(const fs::path& sample, const fs::path& target, CopyCount& count) {
    const std::set<std::string> present = uniqueNamesIn(target);
    for (const auto& folder : simmail::listMaildirFolders(sample)) {
        const fs::path targetFolder = target / fs::relative(folder.path, sample);
        for (const char* sub : {"cur", "new", "tmp"})
            createFolders(targetFolder / sub);
        for (const auto& file : simmail::listMaildirFiles(folder.path)) {
            if (present.contains(file.uniqueName)) {
                ++count.present;
                continue;
            }
            const fs::path destination =
                targetFolder / (file.inNew ? "new" : "cur") / file.path.filename();
            std::error_code error;
            fs::copy_file(file.path, destination, fs::copy_options::skip_existing, error);
            if (error)
                fail("cannot copy " + file.path.string(), error);
            ++count.copied;
        }
    }
}

std::string joined(const std::vector<simmail::AccountEntry>& accounts) {
    std::string names;
    for (const auto& account : accounts)
        names += (names.empty() ? "" : ", ") + account.displayName;
    return names.empty() ? "none" : names;
}

} // namespace

const std::vector<PlugInInstall>& plugInInstalls() {
    using foundation::ProgramFolder;
    static const std::vector<PlugInInstall> table{
        {"mail extension",
         {{ProgramFolder::Libraries, "Tintbox.dylib"}},
         "/Library/MobileSubstrate/DynamicLibraries/Tintbox.dylib"},
        // The bundle's resources and its loadable module are kept apart, as data and code.
        {"settings pane",
         {{ProgramFolder::Data, "Tintbox.bundle"}, {ProgramFolder::Libraries, "Tintbox.bundle"}},
         "/Library/PreferenceBundles/Tintbox.bundle"},
        {"settings entry",
         {{ProgramFolder::Data, "entry/Tintbox.plist"}},
         "/Library/PreferenceLoader/Preferences/Tintbox.plist"},
    };
    return table;
}

fs::path programFile(const ProgramFile& file, std::string_view what) {
    const fs::path path = foundation::programFolder(file.folder) / file.name;
    std::error_code error;
    if (!fs::exists(path, error))
        throw MissingProgramFile("cannot find the " + std::string(what) + ": looked for " +
                                 path.string());
    return path;
}

std::vector<std::string> prepareDeviceRoot() {
    const fs::path root = foundation::deviceRoot();
    std::vector<std::string> report;
    std::error_code error;
    const bool existed = fs::exists(root, error);
    createFolders(root / "private" / "var");
    const fs::path varLink = root / "var";
    if (fs::is_symlink(fs::symlink_status(varLink, error))) {
        if (fs::read_symlink(varLink, error) != fs::path("private/var"))
            throw std::runtime_error(varLink.string() + " links elsewhere than private/var; "
                                                        "leaving the root alone");
    } else if (fs::exists(fs::symlink_status(varLink, error))) {
        throw std::runtime_error(
            varLink.string() + " exists and is not a link to private/var; leaving the root alone");
    } else {
        fs::create_directory_symlink("private/var", varLink, error);
        if (error)
            fail("cannot link " + varLink.string(), error);
    }
    for (const std::string_view folder : kStandardFolders)
        createFolders(foundation::devicePath(folder));
    report.push_back("device root " + root.string() +
                     (existed ? " (already there)" : " (created)"));
    return report;
}

PlugInFiles findPlugIns() {
    PlugInFiles found;
    for (const PlugInInstall& plugIn : plugInInstalls()) {
        std::vector<fs::path> parts;
        for (const ProgramFile& part : plugIn.parts)
            parts.push_back(programFile(part, plugIn.name));
        found.push_back(std::move(parts));
    }
    return found;
}

std::vector<std::string> installPlugIns(const PlugInFiles& plugIns) {
    std::vector<std::string> report;
    for (std::size_t i = 0; i < plugIns.size() && i < plugInInstalls().size(); ++i) {
        const PlugInInstall& plugIn = plugInInstalls()[i];
        const fs::path target = foundation::devicePath(plugIn.devicePath);
        replaceWithCopy(plugIns[i], target);
        if (target.extension() == ".dylib")
            writeMailFilter(target);
        report.push_back("installed the " + std::string(plugIn.name) + " as " +
                         std::string(plugIn.devicePath));
    }
    return report;
}

fs::path sampleFolder() {
    return programFile({foundation::ProgramFolder::Data, "samples"}, "sample set");
}

std::vector<std::string> installSamples(const fs::path& samplesFolder) {
    std::vector<std::string> report;
    const fs::path mailFolder = foundation::devicePath(kMailFolder);
    CopyCount count;
    std::error_code error;
    for (fs::directory_iterator it(samplesFolder / "mail", error), end; !error && it != end;
         it.increment(error))
        if (isMaildirMailbox(it->path()))
            copySampleMaildir(it->path(), mailFolder / it->path().filename(), count);
    if (error)
        fail("cannot read " + (samplesFolder / "mail").string(), error);
    report.push_back("sample mail: " + std::to_string(count.copied) + " messages copied, " +
                     std::to_string(count.present) + " already there");

    const auto samples = simmail::readAccountFile(samplesFolder / "accounts.plist");
    if (!samples.warnings.empty())
        throw std::runtime_error(samples.warnings.front());
    const fs::path accountsFile = simmail::accountsFilePath();
    auto current = simmail::readAccountFile(accountsFile);
    if (!current.warnings.empty())
        throw std::runtime_error(current.warnings.front() + " (fix or remove it first)");
    std::vector<simmail::AccountEntry> added;
    for (const auto& sample : samples.accounts) {
        const bool known =
            std::any_of(current.accounts.begin(), current.accounts.end(),
                        [&](const auto& a) { return a.displayName == sample.displayName; });
        if (!known) {
            current.accounts.push_back(sample);
            added.push_back(sample);
        }
    }
    std::string writeError;
    if (!added.empty() && !simmail::writeAccountFile(current.accounts, accountsFile, &writeError))
        throw std::runtime_error(writeError);
    report.push_back("sample accounts added: " + joined(added));

    const fs::path settingsFile = foundation::devicePath(settings::kSettingsFilePath);
    if (fs::exists(settingsFile, error)) {
        report.push_back("settings kept: " + settingsFile.string() + " was already there");
    } else {
        replaceWithCopy(samplesFolder / "settings.plist", settingsFile);
        report.push_back("sample settings copied to " + settingsFile.string());
    }
    return report;
}

} // namespace tintbox::cli
