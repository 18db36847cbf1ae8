// tintbox demo: the main job on the sample data in one go: a fresh device root with the built
// plug-ins and the sample accounts, mail and settings, the coloured message list of the first
// account's inbox in the terminal, and pictures of the four Mail screens and of the settings
// pane (its root, the filter list, a filter's editor and an account's colour selector). It uses
// --root or TINTBOX_ROOT when given; otherwise a temporary root, removed afterwards unless --keep.
#include "cli/commands.hpp"
#include "cli/common_options.hpp"
#include "cli/device_installer.hpp"
#include "cli/mail_screens.hpp"
#include "cli/settings_source.hpp"
#include "cli/terminal_view.hpp"
#include "platform/uikit/view_renderer.hpp"
#include "sim/mail/MailAccount.hpp"
#include "sim/mail/MailMessage.hpp"
#include "sim/mail/MailStore.hpp"
#include "sim/mail/Mailbox.hpp"
#include "sim/mail/MailboxContentViewController.hpp"
#include "sim/mail/MailboxListViewControllerMail.hpp"
#include "sim/mail/MailboxPickerController.hpp"
#include "sim/settings/SettingsApp.hpp"

#include <cstdlib>
#include <iostream>
#include <unistd.h>

namespace tintbox::cli {
namespace {

namespace fs = std::filesystem;

fs::path freshRoot() {
    std::string pattern = (fs::temp_directory_path() / "tintbox-demo-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw InputError("cannot make a temporary device root in " +
                         fs::temp_directory_path().string());
    return pattern;
}

// Removes the temporary device root when the demo ends, however it ends.
class TemporaryRoot {
public:
    explicit TemporaryRoot(fs::path path) : m_path(std::move(path)) {}
    ~TemporaryRoot() {
        std::error_code ignored;
        if (!m_path.empty())
            fs::remove_all(m_path, ignored);
    }
    TemporaryRoot(const TemporaryRoot&) = delete;
    TemporaryRoot& operator=(const TemporaryRoot&) = delete;
    void keep() { m_path.clear(); }

private:
    fs::path m_path;
};

fs::path writeScreen(UIView& view, const fs::path& folder, const std::string& name) {
    const fs::path file = folder / name;
    uikit::writeViewPNG(view, file);
    return file;
}

// Tall enough that the rows the demo taps have cells (a table makes them for rows in view);
// the pictures are as tall as each pane's content all the same.
constexpr double kSettingsScreenHeight = 1000;

// The settings pane's screens, each reached from the root as a person would: tapping the rows
// Filters, then the first filter; and the account's row for its colour selector.
// A build without the pane gets a note instead of its pictures.
std::vector<fs::path> writeSettingsScreens(const fs::path& folder, std::optional<double> width,
                                           const std::string& account, std::ostream& out) {
    using sim::settings::SettingsApp;
    auto app = SettingsApp::launch({.screenWidth = width, .screenHeight = kSettingsScreenHeight});
    std::vector<fs::path> pictures;
    if (!app.loadError().empty()) {
        out << "No pictures of the settings pane: " << app.loadError() << '\n';
        return pictures;
    }
    const auto picture = [&](const std::string& name) {
        SettingsApp::settle();
        pictures.push_back(writeScreen(app.screen(), folder, name));
    };
    try {
        picture("settings.png");
        app.tapRow(app.findRow("Filters"));
        picture("settings-filters.png");
        app.tapRow({0, 0});
        picture("settings-filter.png");
        app.goBack();
        app.goBack();
        app.tapRow(app.findRow(account));
        picture("settings-colour.png");
    } catch (const std::invalid_argument& error) {
        throw InputError(std::string("the settings pane: ") + error.what());
    }
    return pictures;
}

int runDemo(const Arguments& arguments, std::ostream& out) {
    const fs::path outFolder = arguments.value("--out").value_or("tintbox-demo");
    const auto width = parseWidth(arguments.value("--width"));
    const bool keep = arguments.flag("--keep");
    const PlugInFiles plugIns = findPlugIns();
    const fs::path samples = sampleFolder();

    std::optional<std::string> given = arguments.value("--root");
    if (const char* environment = std::getenv("TINTBOX_ROOT");
        !given && environment && *environment)
        given = environment;
    if (given && given->empty())
        throw UsageError("--root needs a folder");
    const fs::path root = given ? fs::absolute(*given).lexically_normal() : freshRoot();
    TemporaryRoot temporary(given ? fs::path() : root);
    if (keep)
        temporary.keep();
    ::setenv("TINTBOX_ROOT", root.c_str(), 1);
    prepareDeviceRoot();
    installPlugIns(plugIns);
    installSamples(samples);
    sim::mail::MailStore::reloadShared();

    auto app = launchMail(width);
    const auto& accounts = sim::mail::MailStore::shared().accounts();
    if (accounts.empty() || !accounts.front()->inbox())
        throw InputError("the sample data has no account with an inbox");
    MailAccount& account = *accounts.front();
    Mailbox& inbox = *account.inbox();
    const std::string title = inbox.displayName() + " (" + account.displayName() + ")";

    auto list = app.messageList({objc::Ref<NSObject>(&inbox)}, title);
    terminalFor(arguments, out).printMessageList(title, *list.controller);

    std::error_code error;
    fs::create_directories(outFolder, error);
    if (error)
        throw InputError("cannot make " + outFolder.string() + ": " + error.message());
    std::vector<fs::path> pictures;
    pictures.push_back(writeScreen(app.mailboxList().view(), outFolder, "mailboxes.png"));
    pictures.push_back(writeScreen(app.folderList(account).view(), outFolder, "folders.png"));
    pictures.push_back(writeScreen(list.view(), outFolder, "message-list.png"));
    if (!list.controller->messages().empty()) {
        auto* message = dynamic_cast<MailMessage*>(list.controller->messages().front().get());
        auto open = app.openMessage(*message);
        sim::mail::MailApp::settle();
        pictures.push_back(writeScreen(open.view(), outFolder, "message.png"));
    }
    for (auto& picture : writeSettingsScreens(outFolder, width, account.displayName(), out))
        pictures.push_back(std::move(picture));
    if (given || keep)
        out << "\nDevice root: " << root.string() << "  (try: TINTBOX_ROOT=" << root.string()
            << " tintbox mail mailboxes)\n";
    else
        out << "\nThe temporary device root is removed (keep it with --keep)\n";
    for (const auto& picture : pictures)
        out << "Wrote " << picture.string() << '\n';
    // The windows need a display, which the demo itself does not.
    if (given || keep)
        out << "\nTo use the apps in windows, with mouse and keyboard: tintbox app --root "
            << root.string() << '\n';
    else
        out << "\nTo use the apps in windows, with mouse and keyboard: tintbox init --sample, "
               "then tintbox app\n";
    return 0;
}

} // namespace

CommandDescription demoCommand() {
    return {.path = "demo",
            .summary = "sample device, coloured message list, and pictures of the Mail and "
                       "Settings screens",
            .options = {{.name = "--out",
                         .valueName = "DIR",
                         .help = "where the pictures go (default tintbox-demo)",
                         .kind = ValueKind::Folder},
                        options::root(),
                        {.name = "--keep",
                         .help = "keep the temporary device root made when no root is given",
                         .arity = Arity::Flag},
                        options::width(),
                        options::color()},
            .run = runDemo};
}

} // namespace tintbox::cli
