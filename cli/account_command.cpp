// tintbox account list / tintbox account colour NAME HEX: the device's mail accounts with the
// colours the settings file gives them, and an account's colour set as the colour pane sets
// it (stored under the account's name, "#" and upper-case hex).
#include "cli/commands.hpp"
#include "cli/config_values.hpp"
#include "cli/json_value.hpp"
#include "cli/settings_source.hpp"
#include "cli/settings_write.hpp"
#include "sim/mail/account_file.hpp"

#include <nlohmann/json.hpp>

namespace tintbox::cli {
namespace {

std::string colourOf(const foundation::Dictionary& settings, const std::string& name) {
    const foundation::Value* colour = foundation::find(settings, name);
    return colour && colour->asString() ? *colour->asString() : std::string();
}

int runList(const Arguments& arguments, std::ostream& out) {
    const auto contents = sim::mail::readAccountFile(sim::mail::accountsFilePath());
    if (!contents.warnings.empty())
        throw InputError(contents.warnings.front());
    if (arguments.flag("--names")) {
        for (const auto& account : contents.accounts)
            out << account.displayName << '\n';
        return 0;
    }
    const auto settings = currentSettings();
    if (arguments.flag("--json")) {
        auto rows = nlohmann::ordered_json::array();
        for (const auto& account : contents.accounts) {
            const std::string colour = colourOf(settings, account.displayName);
            rows.push_back({{"name", account.displayName},
                            {"class", account.className},
                            {"maildir", sim::mail::resolveMaildir(account.maildir).string()},
                            {"colour", colour.empty() ? nlohmann::ordered_json(nullptr)
                                                      : nlohmann::ordered_json(colour)}});
        }
        out << jsonText(nlohmann::ordered_json{{"accounts", rows}}) << '\n';
        return 0;
    }
    if (contents.accounts.empty())
        out << "no accounts (add one with tintbox init --account 'NAME=~/Maildir')\n";
    for (const auto& account : contents.accounts) {
        const std::string colour = colourOf(settings, account.displayName);
        out << account.displayName << "  " << (colour.empty() ? "no colour" : colour) << "  "
            << sim::mail::resolveMaildir(account.maildir).string()
            << (account.className == sim::mail::kLocalAccountClassName ? "  (local)" : "") << '\n';
    }
    return 0;
}

int runColour(const Arguments& arguments, std::ostream& out) {
    const std::string given = *arguments.operand("HEX");
    const bool none = given == "none";
    const std::string hex = none ? std::string() : hexColourArgument("HEX", given);
    const std::string name = deviceAccountNamed(*arguments.operand("NAME"));
    changeSettings([&](foundation::Dictionary& fresh) {
        if (none)
            return fresh.erase(name) > 0;
        fresh[name] = hex;
        return true;
    });
    out << name << ": " << (none ? "no colour" : hex) << '\n';
    return 0;
}

} // namespace

std::vector<CommandDescription> accountCommands() {
    return {
        {.path = "account", .summary = "the device's mail accounts and their colours"},
        {.path = "account list",
         .summary = "the accounts, their colours and where their mail is",
         .options = {{.name = "--json", .help = "print JSON", .arity = Arity::Flag},
                     {.name = "--names",
                      .help = "only the names, one a line",
                      .arity = Arity::Flag}},
         .run = runList},
        {.path = "account colour",
         .summary = "give an account a colour (HEX such as 2E7D32, or none to remove it)",
         .operands = {{.name = "NAME",
                       .help = "the account (any case)",
                       .kind = ValueKind::Account},
                      {.name = "HEX", .help = "six hexadecimal digits, or none"}},
         .run = runColour},
    };
}

} // namespace tintbox::cli
