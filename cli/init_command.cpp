// tintbox init: makes a device root, installs the plug-ins, and adds accounts and, with
// --sample, the sample mail, accounts and settings. Running it again is safe: it never deletes
// or overwrites mail, accounts it did not name, or settings.
#include "cli/commands.hpp"
#include "cli/device_installer.hpp"
#include "cli/settings_source.hpp"
#include "sim/mail/account_file.hpp"

#include <cstdlib>
#include <filesystem>

namespace tintbox::cli {
namespace {

namespace fs = std::filesystem;
namespace simmail = tintbox::sim::mail;

// "NAME=MAILDIR" from --account or --local-account; the Maildir must exist and is kept as an
// absolute path, since it is the user's own mail and is used in place.
simmail::AccountEntry accountArgument(std::string_view option, const std::string& value,
                                      std::string_view className) {
    const auto equals = value.find('=');
    if (equals == std::string::npos || equals == 0 || equals + 1 == value.size())
        throw UsageError(std::string(option) + " '" + value + "' is not NAME=MAILDIR");
    const std::string name = value.substr(0, equals);
    const fs::path maildir = fs::absolute(value.substr(equals + 1)).lexically_normal();
    std::error_code ignored;
    if (!fs::is_directory(maildir / "cur", ignored) && !fs::is_directory(maildir / "new", ignored))
        throw InputError(std::string(option) + " " + name + ": " + maildir.string() +
                         " is not a Maildir (it has no cur or new folder)");
    return {name, std::string(className), maildir.string()};
}

std::vector<std::string> addAccounts(const std::vector<simmail::AccountEntry>& accounts) {
    if (accounts.empty())
        return {};
    const fs::path file = simmail::accountsFilePath();
    auto contents = simmail::readAccountFile(file);
    if (!contents.warnings.empty())
        throw InputError(contents.warnings.front() + " (fix or remove it first)");
    std::vector<std::string> report;
    for (const auto& account : accounts) {
        simmail::upsertAccount(contents.accounts, account);
        report.push_back("account " + account.displayName + " (" + account.className + ") reads " +
                         account.maildir);
    }
    std::string error;
    if (!simmail::writeAccountFile(contents.accounts, file, &error))
        throw InputError(error);
    return report;
}

} // namespace

int runInit(Arguments arguments, std::ostream& out) {
    const auto root = arguments.takeOption("--root");
    const bool sample = arguments.takeFlag("--sample");
    std::vector<simmail::AccountEntry> accounts;
    for (const auto& value : arguments.takeRepeated("--account"))
        accounts.push_back(accountArgument("--account", value, simmail::kMailAccountClassName));
    for (const auto& value : arguments.takeRepeated("--local-account"))
        accounts.push_back(
            accountArgument("--local-account", value, simmail::kLocalAccountClassName));
    arguments.finish();
    if (root) {
        if (root->empty())
            throw UsageError("--root needs a folder");
        // Every device path of this process resolves through TINTBOX_ROOT.
        ::setenv("TINTBOX_ROOT", fs::absolute(*root).lexically_normal().c_str(), 1);
    }

    // Everything that comes with the program is found before the root is touched.
    const PlugInFiles plugIns = findPlugIns();
    const fs::path samples = sample ? sampleFolder() : fs::path();
    std::vector<std::string> report = prepareDeviceRoot();
    for (auto& line : installPlugIns(plugIns))
        report.push_back(std::move(line));
    if (sample)
        for (auto& line : installSamples(samples))
            report.push_back(std::move(line));
    for (auto& line : addAccounts(accounts))
        report.push_back(std::move(line));
    for (const auto& line : report)
        out << line << '\n';
    return 0;
}

} // namespace tintbox::cli
