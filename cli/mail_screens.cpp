#include "cli/mail_screens.hpp"

#include "cli/arguments.hpp"
#include "cli/near_names.hpp"
#include "cli/settings_source.hpp"
#include "platform/foundation/device_path.hpp"
#include "platform/uikit/NSIndexPath.hpp"
#include "platform/uikit/view_dump.hpp"
#include "sim/mail/MailAccount.hpp"
#include "sim/mail/MailMessage.hpp"
#include "sim/mail/MailStore.hpp"
#include "sim/mail/Mailbox.hpp"
#include "sim/mail/MailboxContentViewCell.hpp"
#include "sim/mail/MailboxContentViewController.hpp"
#include "sim/mail/account_file.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iostream>
#include <unistd.h>

namespace tintbox::cli {

void requireMailDevice() {
    if (!std::filesystem::exists(sim::mail::accountsFilePath()))
        throw InputError("no Mail accounts in the device root " +
                         foundation::deviceRoot().string() +
                         " (make one with tintbox init --sample)");
}

std::optional<double> parseWidth(const std::optional<std::string>& text) {
    if (!text)
        return std::nullopt;
    double width = 0;
    std::size_t used = 0;
    try {
        width = std::stod(*text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text->size() || !std::isfinite(width) || width < 100 || width > 4096)
        throw UsageError("--width takes a number of points from 100 to 4096, not '" + *text + "'");
    return width;
}

TerminalView terminalFor(const Arguments& arguments, std::ostream& out) {
    const std::string when = arguments.value("--color").value_or("auto");
    const bool toTerminal = &out == &std::cout;
    const bool colour = when == "always" ||
                        (when == "auto" && toTerminal && TerminalView::colourWanted(STDOUT_FILENO));
    return TerminalView(out, colour, TerminalView::columnsOf(STDOUT_FILENO));
}

sim::mail::MailApp launchMail(std::optional<double> width) {
    requireMailDevice();
    sim::mail::MailAppOptions options;
    options.screenWidth = width;
    return sim::mail::MailApp::launch(options);
}

namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The one name that matches without regard to case; nothing when none or several do.
template <typename Item, typename NameOf>
Item* uniqueCaseInsensitive(const std::vector<objc::Ref<Item>>& items, std::string_view name,
                            NameOf nameOf) {
    Item* found = nullptr;
    for (const auto& item : items)
        if (sameIgnoringCase(nameOf(*item), name)) {
            if (found)
                return nullptr;
            found = item.get();
        }
    return found;
}

} // namespace

std::vector<std::string> accountNames() {
    std::vector<std::string> names;
    for (const auto& account : sim::mail::MailStore::shared().accounts())
        names.push_back(account->displayName());
    return names;
}

MailAccount& accountNamed(const std::string& name) {
    auto& store = sim::mail::MailStore::shared();
    MailAccount* account = store.accountNamed(name);
    if (!account)
        account = uniqueCaseInsensitive(store.accounts(), name,
                                        [](MailAccount& a) { return a.displayName(); });
    if (!account) {
        const auto names = accountNames();
        throw InputError("no account named '" + name + "'" + didYouMean(name, names) +
                         "; the accounts are " + listOfNames(names, "'"));
    }
    return *account;
}

Mailbox& mailboxNamed(MailAccount& account, const std::string& name) {
    // Maildir++ writes Lists/dev as .Lists.dev, so people type either.
    std::string slashed = name;
    std::replace(slashed.begin(), slashed.end(), '.', '/');
    Mailbox* mailbox = account.mailboxNamed(name);
    if (!mailbox)
        mailbox = account.mailboxNamed(slashed);
    const auto nameOf = [](Mailbox& m) { return m.displayName(); };
    if (!mailbox)
        mailbox = uniqueCaseInsensitive(account.mailboxes(), name, nameOf);
    if (!mailbox)
        mailbox = uniqueCaseInsensitive(account.mailboxes(), slashed, nameOf);
    if (!mailbox) {
        std::vector<std::string> names;
        for (const auto& each : account.mailboxes())
            names.push_back(each->displayName());
        throw InputError("the account '" + account.displayName() + "' has no mailbox named '" +
                         name + "'" + didYouMean(slashed, names) + "; its mailboxes are " +
                         listOfNames(names, "'"));
    }
    return *mailbox;
}

MailMessage& messageWithIdentifier(const std::string& identifier) {
    MailMessage* message = sim::mail::MailStore::shared().messageWithIdentifier(identifier);
    if (!message)
        throw InputError("no message with the id '" + identifier + "'");
    return *message;
}

std::vector<objc::Ref<NSObject>> allInboxes() {
    std::vector<objc::Ref<NSObject>> inboxes;
    for (const auto& account : sim::mail::MailStore::shared().accounts())
        if (Mailbox* inbox = account->inbox())
            inboxes.emplace_back(inbox);
    return inboxes;
}

nlohmann::ordered_json messageListJson(MailboxContentViewController& list) {
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    UITableView* table = list.tableView();
    const NSInteger count = table->numberOfRowsInSection(0);
    for (NSInteger row = 0; row < count; ++row) {
        auto path = NSIndexPath::indexPathForRow(row, 0);
        auto* cell =
            dynamic_cast<MailboxContentViewCell*>(table->cellForRowAtIndexPath(path.get()));
        if (!cell)
            continue;
        auto* message = dynamic_cast<MailMessage*>(cell->message());
        rows.push_back({{"message", message ? message->messageIdentifier() : std::string()},
                        {"subject", message ? message->subject().value_or("") : std::string()},
                        {"cell", uikit::dumpViewTree(*cell)}});
    }
    const CGPoint offset = table->contentOffset();
    return {{"contentOffset", {offset.x, offset.y}}, {"rows", rows}};
}

} // namespace tintbox::cli
