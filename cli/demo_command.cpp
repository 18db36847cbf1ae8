// tintbox demo: the main job on the sample data in one go: a fresh device root with the built
// plug-ins and the sample accounts, mail and settings, the coloured message list of the first
// account's inbox in the terminal, and pictures of the four Mail screens and of the settings
// pane (its root, the filter list, a filter's editor and an account's colour selector).
#include "cli/commands.hpp"
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

fs::path writeScreen(UIView& view, const fs::path& folder, const std::string& name) {
    const fs::path file = folder / name;
    uikit::writeViewPNG(view, file);
    return file;
}

// Tall enough for the colour selector's whole row below the navigation bar.
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

} // namespace

int runDemo(Arguments arguments, std::ostream& out) {
    const fs::path outFolder = arguments.takeOption("--out").value_or("tintbox-demo");
    const auto rootOption = arguments.takeOption("--root");
    const auto width = parseWidth(arguments.takeOption("--width"));
    arguments.finish();
    const PlugInFiles plugIns = findPlugIns();
    const fs::path samples = sampleFolder();

    const fs::path root = rootOption ? fs::absolute(*rootOption) : freshRoot();
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
    TerminalView(out, &out == &std::cout && TerminalView::colourWanted(STDOUT_FILENO),
                 TerminalView::columnsOf(STDOUT_FILENO))
        .printMessageList(title, *list.controller);

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
    out << "\nDevice root: " << root.string() << "  (try: TINTBOX_ROOT=" << root.string()
        << " tintbox mail mailboxes)\n";
    for (const auto& picture : pictures)
        out << "Wrote " << picture.string() << '\n';
    return 0;
}

} // namespace tintbox::cli
