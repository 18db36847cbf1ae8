#include "cli/mail_remind_command.hpp"

#include "cli/commands.hpp"
#include "cli/mail_screens.hpp"
#include "cli/settings_source.hpp"
#include "cli/table_walk.hpp"
#include "mailhooks/tags.hpp"
#include "platform/dispatch/run_loop.hpp"
#include "platform/eventkit/EKEventStore.hpp"
#include "platform/foundation/calendar.hpp"
#include "platform/uikit/NSIndexPath.hpp"
#include "platform/uikit/TouchDriver.hpp"
#include "platform/uikit/UIAlertView.hpp"
#include "platform/uikit/UIDatePicker.hpp"
#include "sim/mail/MailMessage.hpp"
#include "sim/mail/Mailbox.hpp"
#include "sim/mail/MailboxContentViewCell.hpp"
#include "sim/mail/MailboxContentViewController.hpp"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>

namespace tintbox::cli {
namespace {

// Longer than the reminder recogniser's minimum press of one second.
constexpr double kLongPressSeconds = 1.2;

foundation::Date parseDue(const std::string& text) {
    foundation::DateComponents parts;
    parts.timeZone = foundation::defaultTimeZoneName();
    int used = 0;
    const int fields = std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d%n", &parts.year, &parts.month,
                                   &parts.day, &parts.hour, &parts.minute, &used);
    bool valid = fields == 5 && used == 16;
    if (valid && static_cast<std::size_t>(used) < text.size()) {
        int more = 0;
        valid = std::sscanf(text.c_str() + used, ":%2d%n", &parts.second, &more) == 1 &&
                used + more == static_cast<int>(text.size()) && more == 3;
    }
    const auto date = valid ? foundation::dateFromComponents(parts) : std::nullopt;
    if (!date)
        throw UsageError("--due takes a local date and time YYYY-MM-DDTHH:MM[:SS], not '" + text +
                         "'");
    return *date;
}

std::string describeDate(foundation::Date date) {
    const auto parts = foundation::gregorianComponents(date, foundation::defaultTimeZoneName());
    char text[64] = {};
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d %s", parts.year, parts.month,
                  parts.day, parts.hour, parts.minute, parts.second, parts.timeZone.c_str());
    return text;
}

// The reminder files and their last change, to find the one a save wrote.
std::map<std::filesystem::path, std::filesystem::file_time_type> reminderFiles() {
    std::map<std::filesystem::path, std::filesystem::file_time_type> files;
    std::error_code ignored;
    for (const auto& entry :
         std::filesystem::directory_iterator(EKEventStore::remindersFolder(), ignored))
        if (entry.path().extension() == ".ics")
            files[entry.path()] = entry.last_write_time(ignored);
    return files;
}

UIAlertView* frontAlert() {
    const auto alerts = UIAlertView::shownAlerts();
    return alerts.empty() ? nullptr : alerts.back().get();
}

// The centre of the message's row, in the screen's coordinates, once the table is scrolled so
// that the row is in view, as a user scrolls to a row before pressing it. Throws when the
// message is not listed or its row cannot be brought into view.
CGPoint rowCentre(MailboxContentViewController& list, MailMessage& message, UIView& screen) {
    UITableView* table = list.tableView();
    const auto& listed = list.messages();
    NSInteger found = -1;
    for (std::size_t row = 0; row < listed.size() && found < 0; ++row)
        if (listed[row].get() == &message)
            found = static_cast<NSInteger>(row);
    if (found < 0)
        throw InputError("the message '" + message.messageIdentifier() +
                         "' is not in its mailbox's list");
    auto path = NSIndexPath::indexPathForRow(found, 0);
    if (bringRowIntoView(*table, path.get())) {
        auto* cell =
            dynamic_cast<MailboxContentViewCell*>(table->cellForRowAtIndexPath(path.get()));
        if (cell && cell->message() == &message) {
            const CGRect rect = table->rectForRowAtIndexPath(path.get());
            return table->convertPointToView({rect.midX(), rect.midY()}, &screen);
        }
    }
    throw InputError("the row of the message '" + message.messageIdentifier() + "' (row " +
                     std::to_string(found + 1) + " of " + std::to_string(listed.size()) +
                     ") cannot be scrolled into view, so it cannot be pressed");
}

// Shows the error alert in front on standard error, answers it, and gives the exit status.
int reportErrorAlert(UIAlertView& alert) {
    std::cerr << "tintbox mail remind: " << alert.title() << ": " << alert.message() << '\n';
    UIAlertView::answerFrontAlert("OK");
    return 1;
}

int runMailRemind(const Arguments& arguments, std::ostream& out) {
    const auto identifier = arguments.value("--message");
    const auto dueText = arguments.value("--due");
    const bool cancel = arguments.flag("--cancel");
    if (!identifier)
        throw UsageError("remind needs --message ID (the ids that tintbox mail list shows)");
    if (!dueText)
        throw UsageError("remind needs --due YYYY-MM-DDTHH:MM[:SS]");
    const foundation::Date due = parseDue(*dueText);

    auto app = launchMail(std::nullopt);
    MailMessage& message = messageWithIdentifier(*identifier);
    Mailbox* mailbox = message.mailbox();
    if (!mailbox)
        throw InputError("the message '" + *identifier + "' has no mailbox");
    auto screen = app.messageList({objc::Ref<NSObject>(mailbox)}, mailbox->displayName());
    const CGPoint point = rowCentre(*screen.controller, message, screen.view());

    // The press is held on a virtual clock that starts now, so that the command need not wait.
    auto& loop = dispatch::RunLoop::main();
    loop.useVirtualClock();
    if (TouchDriver::longPress(&screen.view(), point, kLongPressSeconds).empty()) {
        std::cerr << "tintbox mail remind: the message list has no long-press action (is the "
                     "mail extension installed and enabled?)\n";
        return 1;
    }
    UIAlertView* alert = frontAlert();
    if (!alert) {
        std::cerr << "tintbox mail remind: the long press showed no reminder alert\n";
        return 1;
    }
    if (alert->tag() != mailhooks::tags::kReminderAlert)
        return reportErrorAlert(*alert);

    auto* picker = dynamic_cast<UIDatePicker*>(alert->accessoryView());
    if (!picker)
        throw std::runtime_error("the reminder alert has no date picker");
    picker->simulateSpinToDate(due);
    if (picker->date() != due) {
        const auto earliest = picker->minimumDate().value_or(picker->date());
        UIAlertView::answerFrontAlert("Cancel");
        throw UsageError("--due " + *dueText + " is before the earliest time the picker offers, " +
                         describeDate(earliest));
    }

    const auto before = reminderFiles();
    UIAlertView::answerFrontAlert(cancel ? "Cancel" : "Add");
    if (UIAlertView* error = frontAlert())
        return reportErrorAlert(*error);
    if (cancel) {
        out << "cancelled: no reminder saved\n";
        return 0;
    }
    for (const auto& [path, changed] : reminderFiles()) {
        const auto old = before.find(path);
        if (old == before.end() || old->second != changed) {
            out << path.string() << '\n';
            return 0;
        }
    }
    std::cerr << "tintbox mail remind: Add was answered but no reminder file was written\n";
    return 1;
}

} // namespace

CommandDescription mailRemindCommand() {
    return {.path = "mail remind",
            .summary = "long-press a message, pick the due date and add (or cancel) the reminder",
            .options = {{.name = "--message",
                         .valueName = "ID",
                         .help = "the message id that tintbox mail list shows",
                         .required = true},
                        {.name = "--due",
                         .valueName = "YYYY-MM-DDTHH:MM[:SS]",
                         .help = "when the reminder is due (local time)",
                         .required = true},
                        {.name = "--cancel",
                         .help = "answer Cancel instead of Add",
                         .arity = Arity::Flag}},
            .run = runMailRemind};
}

} // namespace tintbox::cli
