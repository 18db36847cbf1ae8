#include "cli/mail_toolbar_commands.hpp"

#include "cli/commands.hpp"
#include "cli/common_options.hpp"
#include "cli/mail_screens.hpp"
#include "cli/settings_source.hpp"
#include "cli/terminal_text.hpp"
#include "cli/terminal_view.hpp"
#include "mailhooks/tags.hpp"
#include "platform/uikit/NSIndexPath.hpp"
#include "platform/uikit/TouchDriver.hpp"
#include "platform/uikit/UINavigationController.hpp"
#include "platform/uikit/UISegmentedControl.hpp"
#include "platform/uikit/view_renderer.hpp"
#include "sim/mail/MailAccount.hpp"
#include "sim/mail/MailMessage.hpp"
#include "sim/mail/Mailbox.hpp"
#include "sim/mail/MailboxContentViewController.hpp"
#include "sim/mail/MailboxPickerController.hpp"

#include <iostream>
#include <unistd.h>

namespace tintbox::cli {
namespace {

using List = sim::mail::MailScreen<MailboxContentViewController>;

// How long the commands hold a long press, and let the bar's fades (0.5 s) finish.
constexpr double kLongPressSeconds = 1.0;
constexpr double kSettleSeconds = 0.6;

struct Segment {
    const char* name;
    NSInteger index; // on the quick filter bar: All, Unread, Flagged
    long sourceType;
};
constexpr Segment kSegments[] = {{"all", 0, 0}, {"unread", 1, 3}, {"flagged", 2, 2}};

const Segment& segmentNamed(const std::string& name) {
    for (const Segment& segment : kSegments)
        if (name == segment.name)
            return segment;
    throw UsageError("--segment takes all, unread or flagged, not '" + name + "'");
}

// The mailboxes the options name (one mailbox, or every inbox) and the list's title.
std::pair<std::vector<objc::Ref<NSObject>>, std::string>
listedMailboxes(const std::optional<std::string>& accountName,
                const std::optional<std::string>& mailboxName) {
    if (mailboxName && !accountName)
        throw UsageError("--mailbox needs --account");
    if (!accountName)
        return {allInboxes(), MailboxPickerController::kAllInboxesTitle};
    MailAccount& account = accountNamed(*accountName);
    Mailbox& mailbox = mailboxNamed(account, mailboxName.value_or("INBOX"));
    return {{objc::Ref<NSObject>(&mailbox)},
            mailbox.displayName() + " (" + account.displayName() + ")"};
}

// The point of the screen at the middle of a rectangle of `view`.
CGPoint screenPoint(const List& screen, UIView& view, CGRect rect) {
    return view.convertPointToView(CGPointMake(rect.midX(), rect.midY()), &screen.view());
}

bool isInside(const UIView* view, const UIView& root) {
    for (; view; view = view->superview())
        if (view == &root)
            return true;
    return false;
}

int printList(const List& screen, const std::string& title, const Segment* segment,
              const Arguments& arguments, std::ostream& out) {
    const bool json = arguments.flag("--json");
    if (json) {
        auto dump = messageListJson(*screen.controller);
        if (segment) {
            nlohmann::ordered_json shown{{"segment", segment->name},
                                         {"sourceType", screen.controller->sourceType()}};
            shown.update(dump);
            dump = std::move(shown);
        }
        out << dump.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    } else {
        terminalFor(arguments, out).printMessageList(title, *screen.controller);
    }
    return 0;
}

} // namespace

long sourceTypeNamed(const std::string& option, const std::string& name) {
    for (const Segment& segment : kSegments)
        if (name == segment.name)
            return segment.sourceType;
    throw UsageError(option + " takes all, unread or flagged, not '" + name + "'");
}

namespace {

int runMailQuickFilter(const Arguments& arguments, std::ostream& out) {
    const auto segmentName = arguments.value("--segment");
    const auto accountName = arguments.value("--account");
    const auto mailboxName = arguments.value("--mailbox");
    const auto png = arguments.value("--png");
    const auto width = parseWidth(arguments.value("--width"));
    if (!segmentName)
        throw UsageError("quick-filter needs --segment all|unread|flagged");
    const Segment& segment = segmentNamed(*segmentName);

    auto app = launchMail(width);
    auto [mailboxes, title] = listedMailboxes(accountName, mailboxName);
    auto screen = app.messageList(std::move(mailboxes), title);
    UITableView* table = screen.controller->tableView();
    auto* bar = dynamic_cast<UISegmentedControl*>(
        screen.controller->view()->viewWithTag(mailhooks::tags::kQuickFilterBar));
    if (!bar || bar->numberOfSegments() <= segment.index)
        throw InputError("the message list has no quick filter bar: the mail extension is not "
                         "installed in the device root (tintbox init), or its setting enabled or "
                         "enableUnreadAndFlagged is off");

    // The bar sits above the first row, in the table's top inset; pulling the list down to its
    // top shows it, as a user does before tapping it.
    table->setContentOffset(CGPointMake(0, -table->contentInset().top));
    screen.view().layoutIfNeeded();
    const CGPoint point = screenPoint(screen, *bar, bar->rectForSegmentAtIndex(segment.index));
    TouchDriver::tap(&screen.view(), point);
    if (bar->selectedSegmentIndex() != segment.index)
        throw InputError("the tap at (" + std::to_string(point.x) + ", " + std::to_string(point.y) +
                         ") did not reach the quick filter bar");
    sim::mail::MailApp::settle(kSettleSeconds);
    screen.view().layoutIfNeeded();
    if (png) {
        uikit::writeViewPNG(screen.view(), *png);
        std::cerr << "Wrote " << *png << '\n';
        return 0;
    }
    return printList(screen, title, &segment, arguments, out);
}

int runMailMarkMove(const Arguments& arguments, std::ostream& out) {
    const auto accountName = arguments.value("--account");
    const auto mailboxName = arguments.value("--mailbox");
    const auto selected = arguments.values("--select");
    const auto targetName = arguments.value("--to");
    const bool json = arguments.flag("--json");
    if (!accountName)
        throw UsageError("mark-move needs --account NAME");
    if (selected.empty())
        throw UsageError("mark-move needs at least one --select ID (the ids of tintbox mail list "
                         "--json)");
    if (!targetName)
        throw UsageError("mark-move needs --to MAILBOX");

    auto app = launchMail(std::nullopt);
    MailAccount& account = accountNamed(*accountName);
    Mailbox& source = mailboxNamed(account, mailboxName.value_or("INBOX"));
    Mailbox& target = mailboxNamed(account, *targetName);
    if (&target == &source)
        throw UsageError("--to names the mailbox the messages are in already");
    auto screen = app.messageList({objc::Ref<NSObject>(&source)},
                                  source.displayName() + " (" + account.displayName() + ")");
    MailboxContentViewController& list = *screen.controller;

    // Every message must be listed before anything is touched.
    std::vector<NSInteger> rows;
    for (const std::string& identifier : selected) {
        NSInteger found = -1;
        for (std::size_t row = 0; row < list.messages().size(); ++row)
            if (dynamic_cast<MailMessage&>(*list.messages()[row]).messageIdentifier() == identifier)
                found = static_cast<NSInteger>(row);
        if (found < 0)
            throw InputError("no message with the id '" + identifier + "' in " +
                             source.displayName() + " of " + account.displayName());
        if (std::find(rows.begin(), rows.end(), found) == rows.end())
            rows.push_back(found);
    }

    list.navigationItem()->rightBarButtonItem()->simulateTap(); // Edit
    for (NSInteger row : rows)
        list.tableView()->tapRowAtIndexPath(NSIndexPath::indexPathForRow(row, 0).get());
    screen.view().layoutIfNeeded();
    UIBarButtonItem* move = list.moveButtonItem();
    UIView* moveView = move ? move->view() : nullptr;
    if (!list.isInEditMode() || !isInside(moveView, screen.view()))
        throw InputError("the message list did not show its Move button in edit mode");

    const CGPoint point = screenPoint(screen, *moveView, moveView->bounds());
    const auto pressed = TouchDriver::longPress(&screen.view(), point, kLongPressSeconds);
    MoveSheetController* sheet = list.moveSheet();
    if (!pressed.empty() && !sheet)
        throw InputError("the long press on Move opened no move sheet; nothing was moved");
    if (!sheet)
        throw InputError("a long press on Move does nothing: the mail extension is not installed "
                         "in the device root (tintbox init), or its setting enabled or "
                         "enableMarkAsReadAndMove is off; nothing was changed");
    const NSInteger row = sheet->rowOfMailboxNamed(target.displayName());
    if (row < 0)
        throw InputError("the move sheet offers no mailbox '" + target.displayName() + "'");
    sheet->tableView()->tapRowAtIndexPath(NSIndexPath::indexPathForRow(row, 0).get());

    bool allMoved = !list.lastMove().empty();
    nlohmann::ordered_json moves = nlohmann::ordered_json::array();
    for (const auto& outcome : list.lastMove()) {
        allMoved = allMoved && outcome.error.empty();
        if (json) {
            nlohmann::ordered_json entry{
                {"message", outcome.identifier}, {"subject", outcome.subject},
                {"from", outcome.from},          {"to", outcome.to},
                {"read", outcome.marked},        {"moved", outcome.error.empty()}};
            if (!outcome.error.empty())
                entry["error"] = outcome.error;
            moves.push_back(std::move(entry));
        } else if (outcome.error.empty()) {
            out << "moved " << outcome.identifier << " \"" << terminalLine(outcome.subject) << "\" "
                << terminalLine(outcome.from) << " -> " << terminalLine(outcome.to)
                << (outcome.marked ? " (read)" : "") << '\n';
        } else {
            out << "not moved " << outcome.identifier << " \"" << terminalLine(outcome.subject)
                << "\": " << terminalLine(outcome.error) << '\n';
        }
    }
    if (json)
        out << nlohmann::ordered_json{{"moves", moves}}.dump(
                   2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
            << '\n';
    return allMoved ? 0 : 1;
}

} // namespace

std::vector<CommandDescription> mailToolbarCommands() {
    const auto required = [](OptionDescription option) {
        option.required = true;
        return option;
    };
    return {
        {.path = "mail quick-filter",
         .summary = "tap a segment of the quick filter bar and show the list",
         .options = {required({.name = "--segment",
                               .valueName = "WHICH",
                               .help = "the segment to tap: all, unread or flagged",
                               .kind = ValueKind::Choice,
                               .choices = {"all", "unread", "flagged"}}),
                     options::account("the account (any case); default all inboxes"),
                     options::mailbox(), options::json(), options::png(), options::width(),
                     options::color()},
         .run = runMailQuickFilter},
        {.path = "mail mark-move",
         .summary = "select messages in edit mode, long-press Move (mark as read) and move them",
         .options = {required(options::account()), options::mailbox(),
                     required({.name = "--select",
                               .valueName = "ID",
                               .help = "the messages to move, by the ids mail list shows",
                               .arity = Arity::Several}),
                     required({.name = "--to",
                               .valueName = "MAILBOX",
                               .help = "the mailbox to move them to"}),
                     options::json()},
         .run = runMailMarkMove},
    };
}

} // namespace tintbox::cli
