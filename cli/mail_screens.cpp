#include "cli/mail_screens.hpp"

#include "cli/arguments.hpp"
#include "cli/json_value.hpp"
#include "cli/near_names.hpp"
#include "cli/settings_source.hpp"
#include "cli/table_walk.hpp"
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
#include "sim/mail/modified_utf7.hpp"

#include <algorithm>
#include <array>
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

sim::mail::MailApp launchMail(std::optional<double> width, ScreenUse use) {
    requireMailDevice();
    sim::mail::MailAppOptions options;
    options.screenWidth = width;
    options.layOutScreens = use == ScreenUse::Shown;
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
    // Maildir++ writes Lists/dev as .Lists.dev, so people type either; and they may copy a
    // folder's name as it is on disk, in modified UTF-7 ("&AMk-quipe" for "Équipe").
    std::string slashed = name;
    std::replace(slashed.begin(), slashed.end(), '.', '/');
    const std::string decoded = sim::mail::decodeModifiedUtf7(slashed).value_or(slashed);
    const auto nameOf = [](Mailbox& m) { return m.displayName(); };
    const std::array<const std::string*, 3> candidates{&name, &slashed, &decoded};
    Mailbox* mailbox = nullptr;
    for (const std::string* candidate : candidates)
        if (!mailbox)
            mailbox = account.mailboxNamed(*candidate);
    for (const std::string* candidate : candidates)
        if (!mailbox)
            mailbox = uniqueCaseInsensitive(account.mailboxes(), *candidate, nameOf);
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

namespace {

nlohmann::ordered_json rowJson(UITableViewCell& rowCell) {
    auto* cell = dynamic_cast<MailboxContentViewCell*>(&rowCell);
    auto* message = cell ? dynamic_cast<MailMessage*>(cell->message()) : nullptr;
    return {{"message", message ? message->messageIdentifier() : std::string()},
            {"subject", message ? message->subject().value_or("") : std::string()},
            {"cell", uikit::dumpViewTree(rowCell)}};
}

bool isMessageCell(UITableViewCell& cell) {
    return dynamic_cast<MailboxContentViewCell*>(&cell) != nullptr;
}

// Each line of text after the first indented by `by` spaces.
std::string indented(const std::string& text, std::size_t by) {
    std::string result;
    result.reserve(text.size() + by * 8);
    const std::string margin(by, ' ');
    for (char c : text) {
        result += c;
        if (c == '\n')
            result += margin;
    }
    return result;
}

} // namespace

nlohmann::ordered_json messageListJson(MailboxContentViewController& list) {
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    UITableView* table = list.tableView();
    const CGPoint offset = table->contentOffset();
    forEachRowByScrolling(*table, 0, [&](NSInteger, UITableViewCell& cell) {
        if (isMessageCell(cell))
            rows.push_back(rowJson(cell));
    });
    return {{"contentOffset", {offset.x, offset.y}}, {"rows", rows}};
}

void writeMessageListJson(std::ostream& out, MailboxContentViewController& list, int indent) {
    UITableView* table = list.tableView();
    const CGPoint offset = table->contentOffset();
    // The frame of the whole document with an empty row list, split where the rows go.
    const nlohmann::ordered_json frame = {{"contentOffset", {offset.x, offset.y}},
                                          {"rows", nlohmann::ordered_json::array()}};
    const std::string empty = jsonText(frame, indent);
    const std::string rowsKey = indent < 0 ? "\"rows\":[" : "\"rows\": [";
    const auto split = empty.rfind(rowsKey) + rowsKey.size();
    const std::size_t depth = indent < 0 ? 0 : static_cast<std::size_t>(indent);
    out << empty.substr(0, split);
    bool first = true;
    forEachRowByScrolling(*table, 0, [&](NSInteger, UITableViewCell& cell) {
        if (!isMessageCell(cell))
            return;
        out << (first ? "" : ",");
        if (indent >= 0)
            out << '\n' << std::string(2 * depth, ' ');
        out << indented(jsonText(rowJson(cell), indent), indent < 0 ? 0 : 2 * depth);
        first = false;
    });
    if (!first && indent >= 0)
        out << '\n' << std::string(depth, ' ');
    out << empty.substr(split);
}

} // namespace tintbox::cli
