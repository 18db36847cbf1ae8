// tintbox mail list|mailboxes|folders|open (and quick-filter, mark-move): one screen of the Mail
// stand-in, with the mail extension of the device root loaded, as terminal text, a JSON view dump
// or a PNG picture.
#include "cli/app_commands.hpp"
#include "cli/commands.hpp"
#include "cli/mail_remind_command.hpp"
#include "cli/mail_screens.hpp"
#include "cli/mail_toolbar_commands.hpp"
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

#include <csignal>
#include <iostream>
#include <sys/signalfd.h>
#include <unistd.h>

namespace tintbox::cli {
namespace {

struct ScreenOutput {
    std::optional<std::filesystem::path> png;
    bool json{false};
    std::optional<double> width;
};

ScreenOutput takeScreenOutput(Arguments& arguments) {
    ScreenOutput output;
    if (auto png = arguments.takeOption("--png"))
        output.png = *png;
    output.json = arguments.takeFlag("--json");
    output.width = parseWidth(arguments.takeOption("--width"));
    return output;
}

TerminalView terminal(std::ostream& out) {
    return TerminalView(out, &out == &std::cout && TerminalView::colourWanted(STDOUT_FILENO),
                        TerminalView::columnsOf(STDOUT_FILENO));
}

void writePicture(UIView& view, const ScreenOutput& output) {
    if (output.png)
        uikit::writeViewPNG(view, *output.png);
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

int runList(Arguments arguments, std::ostream& out) {
    const auto accountName = arguments.takeOption("--account");
    const auto mailboxName = arguments.takeOption("--mailbox");
    const bool watch = arguments.takeFlag("--watch");
    const auto watchSeconds = parseSeconds(arguments.takeOption("--watch-seconds"));
    const auto source = arguments.takeOption("--source");
    const long sourceType = source ? sourceTypeNamed("--source", *source) : 0;
    const ScreenOutput output = takeScreenOutput(arguments);
    arguments.finish();
    if (mailboxName && !accountName)
        throw UsageError("--mailbox needs --account");
    if (watchSeconds && !watch)
        throw UsageError("--watch-seconds needs --watch");

    auto app = launchMail(output.width);
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
    TerminalView view = terminal(out);
    const auto draw = [&] {
        writePicture(screen.view(), output);
        if (output.json) {
            writeMessageListJson(out, *screen.controller, watch ? -1 : 2);
            out << '\n';
        } else
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
    auto observation = corefoundation::DarwinNotifyCenter::shared().observe(
        settings::kChangeNotificationName, [&](std::string_view) {
            loop.dispatchAsync([&] {
                screen.controller->tableView()->reloadData();
                screen.view().layoutIfNeeded();
                if (!output.json && view.colourful())
                    out << "\x1b[H\x1b[2J";
                else if (!output.json)
                    out << '\n';
                draw();
            });
        });
    draw();
    dispatch::Registration deadline;
    if (watchSeconds)
        deadline = loop.addTimer(*watchSeconds, [&] { loop.stop(); });
    loop.run();
    return 0;
}

int runMailboxes(Arguments arguments, std::ostream& out) {
    const ScreenOutput output = takeScreenOutput(arguments);
    arguments.finish();
    auto app = launchMail(output.width);
    auto screen = app.mailboxList();
    writePicture(screen.view(), output);
    if (output.json)
        out << uikit::dumpViewTree(screen.view()).dump(2) << '\n';
    else
        terminal(out).printMailboxList(*screen.controller);
    return 0;
}

int runFolders(Arguments arguments, std::ostream& out) {
    const auto accountName = arguments.takeOption("--account");
    const ScreenOutput output = takeScreenOutput(arguments);
    arguments.finish();
    if (!accountName)
        throw UsageError("folders needs --account NAME");
    auto app = launchMail(output.width);
    auto screen = app.folderList(accountNamed(*accountName));
    writePicture(screen.view(), output);
    if (output.json)
        out << uikit::dumpViewTree(screen.view()).dump(2) << '\n';
    else
        terminal(out).printFolderList(*screen.controller, screen.navigation->navigationBar());
    return 0;
}

int runOpen(Arguments arguments, std::ostream& out) {
    const auto identifier = arguments.takeOption("--message");
    const ScreenOutput output = takeScreenOutput(arguments);
    arguments.finish();
    if (!identifier)
        throw UsageError("open needs --message ID (the ids that tintbox mail list shows)");
    auto app = launchMail(output.width);
    auto screen = app.openMessage(messageWithIdentifier(*identifier));
    // The extension places the header bands again a moment after layout.
    sim::mail::MailApp::settle();
    writePicture(screen.view(), output);
    if (output.json)
        out << uikit::dumpViewTree(screen.view()).dump(2) << '\n';
    else
        terminal(out).printMessage(*sim::mail::MailApp::contentLayerOf(screen));
    return 0;
}

} // namespace

int runMail(Arguments arguments, std::ostream& out) {
    const auto screen = arguments.takePositional();
    if (!screen)
        throw UsageError("name a screen: list, mailboxes, folders, open, quick-filter, mark-move, "
                         "remind or app");
    if (*screen == "list")
        return runList(std::move(arguments), out);
    if (*screen == "mailboxes")
        return runMailboxes(std::move(arguments), out);
    if (*screen == "folders")
        return runFolders(std::move(arguments), out);
    if (*screen == "open")
        return runOpen(std::move(arguments), out);
    if (*screen == "remind")
        return runMailRemind(std::move(arguments), out);
    if (*screen == "quick-filter")
        return runMailQuickFilter(std::move(arguments), out);
    if (*screen == "mark-move")
        return runMailMarkMove(std::move(arguments), out);
    if (*screen == "app")
        return runMailApp(std::move(arguments), out);
    throw UsageError("unknown screen '" + *screen +
                     "' (list, mailboxes, folders, open, quick-filter, mark-move, remind or app)");
}

} // namespace tintbox::cli
