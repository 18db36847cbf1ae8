// tintbox mail list|mailboxes|folders|open (and quick-filter, mark-move): one screen of the Mail
// stand-in, with the mail extension of the device root loaded, as terminal text, a JSON view dump
// or a PNG picture.
#include "cli/commands.hpp"
#include "cli/common_options.hpp"
#include "cli/mail_remind_command.hpp"
#include "cli/mail_screens.hpp"
#include "cli/mail_toolbar_commands.hpp"
#include "cli/message_rows.hpp"
#include "cli/settings_source.hpp"
#include "cli/terminal_view.hpp"
#include "platform/corefoundation/darwin_notify_center.hpp"
#include "platform/dispatch/run_loop.hpp"
#include "platform/foundation/file_descriptor.hpp"
#include "platform/uikit/view_dump.hpp"
#include "platform/uikit/view_renderer.hpp"
#include "settings/keys.hpp"
#include "sim/mail/MailAccount.hpp"
#include "sim/mail/MailMessage.hpp"
#include "sim/mail/Mailbox.hpp"
#include "sim/mail/MailboxContentViewController.hpp"
#include "sim/mail/MailboxListViewControllerMail.hpp"
#include "sim/mail/MailboxPickerController.hpp"
#include "sim/mail/MessageContentLayer.hpp"
#include "sim/mail/maildir_watcher.hpp"

#include <csignal>
#include <iostream>
#include <sys/signalfd.h>
#include <unistd.h>

namespace tintbox::cli {
namespace {

struct ScreenOutput {
    std::optional<std::filesystem::path> png;
    bool json{false};
    bool views{false}; // --json=views: the whole view dump
    std::optional<double> width;
};

// Terminal text reads texts and colours alone; pictures and JSON hold frames too.
ScreenUse useOf(const ScreenOutput& output) {
    return output.png || output.json ? ScreenUse::Shown : ScreenUse::ContentsRead;
}

ScreenOutput screenOutput(const Arguments& arguments) {
    ScreenOutput output;
    if (auto png = arguments.value("--png"))
        output.png = *png;
    if (const auto json = arguments.value("--json")) {
        output.json = true;
        output.views = *json == "views";
    }
    output.width = parseWidth(arguments.value("--width"));
    if (output.png && output.json)
        throw UsageError("--png and --json exclude each other");
    return output;
}

// A picture replaces the text: the one line saying where it went is on standard error.
bool writePicture(UIView& view, const ScreenOutput& output) {
    if (!output.png)
        return false;
    uikit::writeViewPNG(view, *output.png);
    std::cerr << "Wrote " << output.png->string() << '\n';
    return true;
}

// Ends the run loop on SIGINT or SIGTERM: the signals are read from a descriptor on the loop.
class StopOnSignals {
public:
    StopOnSignals() {
        sigset_t signals;
        sigemptyset(&signals);
        sigaddset(&signals, SIGINT);
        sigaddset(&signals, SIGTERM);
        ::sigprocmask(SIG_BLOCK, &signals, &m_previous);
        m_descriptor = foundation::FileDescriptor(::signalfd(-1, &signals, SFD_CLOEXEC));
        if (!m_descriptor)
            throw std::runtime_error("cannot watch for SIGINT and SIGTERM");
        m_source = dispatch::RunLoop::main().addReadSource(m_descriptor.get(), [this] {
            signalfd_siginfo info{};
            [[maybe_unused]] const auto read = ::read(m_descriptor.get(), &info, sizeof info);
            dispatch::RunLoop::main().stop();
        });
    }
    ~StopOnSignals() { ::sigprocmask(SIG_SETMASK, &m_previous, nullptr); }
    StopOnSignals(const StopOnSignals&) = delete;
    StopOnSignals& operator=(const StopOnSignals&) = delete;

private:
    sigset_t m_previous{};
    foundation::FileDescriptor m_descriptor;
    dispatch::Registration m_source;
};

std::optional<double> parseSeconds(const std::optional<std::string>& text) {
    if (!text)
        return std::nullopt;
    std::size_t used = 0;
    double seconds = -1;
    try {
        seconds = std::stod(*text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text->size() || !(seconds > 0))
        throw UsageError("--watch-seconds takes a positive number of seconds, not '" + *text + "'");
    return seconds;
}

int runList(const Arguments& arguments, std::ostream& out) {
    const auto accountName = arguments.value("--account");
    const auto mailboxName = arguments.value("--mailbox");
    const bool watch = arguments.flag("--watch");
    const auto watchSeconds = parseSeconds(arguments.value("--watch-seconds"));
    const auto source = arguments.value("--source");
    const long sourceType = source ? sourceTypeNamed("--source", *source) : 0;
    const ScreenOutput output = screenOutput(arguments);
    if (mailboxName && !accountName)
        throw UsageError("--mailbox needs --account");
    if (watchSeconds && !watch)
        throw UsageError("--watch-seconds needs --watch");

    auto app = launchMail(output.width, useOf(output));
    std::vector<objc::Ref<NSObject>> mailboxes;
    std::string title = MailboxPickerController::kAllInboxesTitle;
    if (accountName) {
        MailAccount& account = accountNamed(*accountName);
        Mailbox& mailbox = mailboxNamed(account, mailboxName.value_or("INBOX"));
        mailboxes.emplace_back(&mailbox);
        title = mailbox.displayName() + " (" + account.displayName() + ")";
    } else {
        mailboxes = allInboxes();
    }
    auto screen = app.messageList(std::move(mailboxes), title, sourceType);
    TerminalView view = terminalFor(arguments, out);
    const auto draw = [&] {
        if (writePicture(screen.view(), output))
            return;
        if (output.views) {
            writeMessageListJson(out, *screen.controller, watch ? -1 : 2);
            out << '\n';
        } else if (output.json)
            writeMessageRows(*screen.controller, out, watch);
        else
            view.printMessageList(title, *screen.controller);
        out.flush();
    };
    if (!watch) {
        draw();
        return 0;
    }

    // Observing starts before the first picture, so that no change after it is missed. The
    // extension reloads its settings on the same notification; redrawing on the next turn of
    // the loop lets every observer of this turn run first.
    auto& loop = dispatch::RunLoop::main();
    StopOnSignals stopOnSignals;
    const auto redraw = [&] {
        screen.view().layoutIfNeeded();
        if (!output.json && view.colourful())
            out << "\x1b[H\x1b[2J";
        else if (!output.json)
            out << '\n';
        draw();
    };
    auto observation = corefoundation::DarwinNotifyCenter::shared().observe(
        settings::kChangeNotificationName, [&](std::string_view) {
            loop.dispatchAsync([&] {
                screen.controller->tableView()->reloadData();
                redraw();
            });
        });
    // New, removed and re-flagged mail in a listed mailbox: the folders are read again.
    std::vector<std::filesystem::path> folders;
    for (const auto& object : screen.controller->mailboxes())
        if (auto* mailbox = dynamic_cast<Mailbox*>(object.get()))
            folders.push_back(mailbox->folder());
    sim::mail::MaildirWatcher mailWatcher(folders, [&] {
        for (const auto& object : screen.controller->mailboxes())
            if (auto* mailbox = dynamic_cast<Mailbox*>(object.get()))
                mailbox->reload();
        screen.controller->relist();
        redraw();
    });
    draw();
    dispatch::Registration deadline;
    if (watchSeconds)
        deadline = loop.addTimer(*watchSeconds, [&] { loop.stop(); });
    loop.run();
    return 0;
}

int runMailboxes(const Arguments& arguments, std::ostream& out) {
    const ScreenOutput output = screenOutput(arguments);
    auto app = launchMail(output.width, useOf(output));
    auto screen = app.mailboxList();
    if (writePicture(screen.view(), output))
        return 0;
    if (output.json)
        out << uikit::dumpViewTree(screen.view())
                   .dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
            << '\n';
    else
        terminalFor(arguments, out).printMailboxList(*screen.controller);
    return 0;
}

int runFolders(const Arguments& arguments, std::ostream& out) {
    const auto accountName = arguments.value("--account");
    const ScreenOutput output = screenOutput(arguments);
    if (!accountName)
        throw UsageError("folders needs --account NAME");
    auto app = launchMail(output.width, useOf(output));
    auto screen = app.folderList(accountNamed(*accountName));
    if (writePicture(screen.view(), output))
        return 0;
    if (output.json)
        out << uikit::dumpViewTree(screen.view())
                   .dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
            << '\n';
    else
        terminalFor(arguments, out)
            .printFolderList(*screen.controller, screen.navigation->navigationBar());
    return 0;
}

int runOpen(const Arguments& arguments, std::ostream& out) {
    const auto identifier = arguments.value("--message");
    const ScreenOutput output = screenOutput(arguments);
    if (!identifier)
        throw UsageError("open needs --message ID (the ids that tintbox mail list shows)");
    auto app = launchMail(output.width, useOf(output));
    auto screen = app.openMessage(messageWithIdentifier(*identifier));
    // The extension places the header bands again a moment after layout.
    sim::mail::MailApp::settle();
    if (writePicture(screen.view(), output))
        return 0;
    if (output.json)
        out << uikit::dumpViewTree(screen.view())
                   .dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
            << '\n';
    else
        terminalFor(arguments, out).printMessage(*sim::mail::MailApp::contentLayerOf(screen));
    return 0;
}

} // namespace

std::vector<CommandDescription> mailCommands() {
    const std::vector<OptionDescription> screen{options::json(), options::png(), options::width(),
                                                options::color()};
    const auto with = [&](std::vector<OptionDescription> first) {
        first.insert(first.end(), screen.begin(), screen.end());
        return first;
    };
    OptionDescription listJson{.name = "--json",
                               .valueName = "views",
                               .help =
                                   "print the rows as JSON (id, account, mailbox, from, to, cc, "
                                   "subject, date, unread, flagged, band colours), a row a line; "
                                   "--json=views prints each row's whole view tree",
                               .arity = Arity::Optional,
                               .kind = ValueKind::Choice,
                               .choices = {"views"}};
    return {
        {.path = "mail",
         .summary = "show a screen of the Mail app with the mail extension loaded, and act on it"},
        {.path = "mail list",
         .summary = "the message list (all inboxes, or one mailbox); --watch redraws on each "
                    "settings change",
         .options = {options::account("the account (any case); default all inboxes"),
                     options::mailbox(),
                     {.name = "--source",
                      .valueName = "WHICH",
                      .help = "which messages: all, unread or flagged",
                      .kind = ValueKind::Choice,
                      .choices = {"all", "unread", "flagged"}},
                     {.name = "--watch",
                      .help = "redraw on each settings change until interrupted",
                      .arity = Arity::Flag},
                     {.name = "--watch-seconds",
                      .valueName = "N",
                      .help = "stop watching after N seconds"},
                     listJson,
                     options::png(),
                     options::width(),
                     options::color()},
         .run = runList},
        {.path = "mail mailboxes",
         .summary = "the mailbox list",
         .options = screen,
         .run = runMailboxes},
        {.path = "mail folders",
         .summary = "the folder list of one account",
         .options = with({[] {
             auto account = options::account();
             account.required = true;
             return account;
         }()}),
         .run = runFolders},
        {.path = "mail open",
         .summary = "an open message, with its attachments",
         .options = with({{.name = "--message",
                           .valueName = "ID",
                           .help = "the message id that tintbox mail list shows",
                           .required = true}}),
         .run = runOpen},
    };
}

} // namespace tintbox::cli
