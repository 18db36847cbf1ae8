#include "cli/mail_screens.hpp"

#include "cli/arguments.hpp"
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

#include <cmath>

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

sim::mail::MailApp launchMail(std::optional<double> width) {
    requireMailDevice();
    sim::mail::MailAppOptions options;
    options.screenWidth = width;
    return sim::mail::MailApp::launch(options);
}

MailAccount& accountNamed(const std::string& name) {
    MailAccount* account = sim::mail::MailStore::shared().accountNamed(name);
    if (!account)
        throw InputError("no account named '" + name + "'");
    return *account;
}

Mailbox& mailboxNamed(MailAccount& account, const std::string& name) {
    Mailbox* mailbox = account.mailboxNamed(name);
    if (!mailbox)
        throw InputError("the account '" + account.displayName() + "' has no mailbox named '" +
                         name + "'");
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
