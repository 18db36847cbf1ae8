// tintbox init: makes a device root, installs the plug-ins, and adds accounts and, with
// --sample, the sample mail, accounts and settings; without it, a settings file with Tintbox
// turned on when there is none. Running it again is safe: it never deletes or overwrites mail,
// accounts it did not name, or settings.
#include "cli/commands.hpp"
#include "cli/common_options.hpp"
#include "cli/device_installer.hpp"
#include "cli/maildir_layout.hpp"
#include "cli/settings_source.hpp"
#include "cli/settings_write.hpp"
#include "platform/foundation/device_path.hpp"
#include "settings/keys.hpp"
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
    if (const auto problem = maildirProblem(maildir))
        throw InputError(std::string(option) + " " + name + ": " + *problem);
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

// Only a device without settings gets the starting file: an existing one, readable or not,
// is the user's.
std::vector<std::string> startSettings() {
    const fs::path file = foundation::devicePath(settings::kSettingsFilePath);
    std::error_code error;
    if (fs::exists(file, error) || fs::is_symlink(file, error))
        return {"settings kept: " + file.string() + " was already there"};
    changeSettings([](foundation::Dictionary& fresh) {
        if (!fresh.empty())
            return false;
        fresh[std::string(settings::kEnabled)] = true;
        return true;
    });
    return {"settings written to " + file.string() + " (Tintbox turned on)"};
}

std::vector<std::string> nextSteps(bool sample, bool accountsAdded) {
    std::vector<std::string> steps{"", "Next:"};
    if (!sample && !accountsAdded)
        steps.push_back("  tintbox init --account 'NAME=~/Maildir'     add your own mail");
    steps.push_back("  tintbox account list                        the accounts and their colours");
    steps.push_back("  tintbox account colour NAME 2E7D32          give an account a colour");
    steps.push_back("  tintbox filter add --from PATTERN --colour C62828   colour matching mail");
    steps.push_back("  tintbox mail list                           the coloured message list");
    return steps;
}

int runInit(const Arguments& arguments, std::ostream& out) {
    const auto root = arguments.value("--root");
    const bool sample = arguments.flag("--sample");
    std::vector<simmail::AccountEntry> accounts;
    for (const auto& value : arguments.values("--account"))
        accounts.push_back(accountArgument("--account", value, simmail::kMailAccountClassName));
    for (const auto& value : arguments.values("--local-account"))
        accounts.push_back(
            accountArgument("--local-account", value, simmail::kLocalAccountClassName));
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
    else
        for (auto& line : startSettings())
            report.push_back(std::move(line));
    for (auto& line : addAccounts(accounts))
        report.push_back(std::move(line));
    for (auto& line : nextSteps(sample, !accounts.empty()))
        report.push_back(std::move(line));
    for (const auto& line : report)
        out << line << '\n';
    return 0;
}

} // namespace

CommandDescription initCommand() {
    const auto account = [](std::string name, std::string help) {
        return OptionDescription{.name = std::move(name),
                                 .valueName = "NAME=MAILDIR",
                                 .help = std::move(help),
                                 .arity = Arity::Repeated};
    };
    return {.path = "init",
            .summary = "make a device root, install the built plug-ins and add accounts or the "
                       "sample set",
            .options = {options::root(),
                        {.name = "--sample",
                         .help = "add the sample accounts, mail and settings",
                         .arity = Arity::Flag},
                        account("--account", "add a mail account reading MAILDIR (Maildir++ or "
                                             "the plain-folder layout of mbsync and OfflineIMAP)"),
                        account("--local-account", "add a local account (On My iPhone) reading "
                                                   "MAILDIR")},
            .run = runInit};
}

} // namespace tintbox::cli
