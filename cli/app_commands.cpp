#include "cli/app_commands.hpp"

#include "cli/common_options.hpp"
#include "cli/device_installer.hpp"
#include "cli/mail_screens.hpp"
#include "cli/settings_source.hpp"
#include "platform/corefoundation/darwin_notify_center.hpp"
#include "platform/desktop/host_module.hpp"
#include "platform/dispatch/run_loop.hpp"
#include "platform/uikit/UIAlertView.hpp"
#include "platform/uikit/UITableView.hpp"
#include "settings/keys.hpp"
#include "sim/mail/MailboxPickerController.hpp"
#include "sim/settings/SettingsApp.hpp"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace tintbox::cli {
namespace {

namespace fs = std::filesystem;

constexpr double kDefaultWidth = 320;
constexpr double kDefaultHeight = 568;
constexpr double kGap = 24; // points between the two windows of tintbox app

struct WindowArguments {
    double width{kDefaultWidth};
    double height{kDefaultHeight};
    std::optional<CGPoint> position;
};

double pointsOption(const char* name, const std::optional<std::string>& text, double fallback) {
    if (!text)
        return fallback;
    double value = 0;
    std::size_t used = 0;
    try {
        value = std::stod(*text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text->size() || !std::isfinite(value) || value < 100 || value > 4096)
        throw UsageError(std::string(name) + " takes a number of points from 100 to 4096, not '" +
                         *text + "'");
    return value;
}

std::optional<CGPoint> positionOption(const std::optional<std::string>& text) {
    if (!text)
        return std::nullopt;
    const auto comma = text->find(',');
    double x = 0, y = 0;
    std::size_t usedX = 0, usedY = 0;
    try {
        if (comma != std::string::npos) {
            x = std::stod(text->substr(0, comma), &usedX);
            y = std::stod(text->substr(comma + 1), &usedY);
        }
    } catch (const std::exception&) {
        usedX = 0;
    }
    if (comma == std::string::npos || usedX != comma || usedY != text->size() - comma - 1 ||
        !std::isfinite(x) || !std::isfinite(y))
        throw UsageError("--at takes X,Y in points, not '" + *text + "'");
    return CGPoint{x, y};
}

// --root selects the device root for this process (and the ones it starts).
void useRoot(const std::optional<std::string>& root) {
    if (!root)
        return;
    if (root->empty())
        throw UsageError("--root needs a folder");
    ::setenv("TINTBOX_ROOT", fs::absolute(*root).lexically_normal().c_str(), 1);
}

// The options every window command shares.
WindowArguments windowArguments(const Arguments& arguments) {
    useRoot(arguments.value("--root"));
    WindowArguments window;
    window.width = pointsOption("--width", arguments.value("--width"), kDefaultWidth);
    window.height = pointsOption("--height", arguments.value("--height"), kDefaultHeight);
    window.position = positionOption(arguments.value("--at"));
    return window;
}

std::vector<OptionDescription> windowOptions(bool placed) {
    std::vector<OptionDescription> descriptions{
        options::root(),
        {.name = "--width", .valueName = "POINTS", .help = "screen width in points (default 320)"},
        {.name = "--height",
         .valueName = "POINTS",
         .help = "screen height in points (default 568)"}};
    if (placed)
        descriptions.push_back({.name = "--at",
                                .valueName = "X,Y",
                                .help = "where the window's top left goes, in points (X11 only)"});
    return descriptions;
}

void reloadTables(UIView* view) {
    if (!view)
        return;
    if (auto* table = dynamic_cast<UITableView*>(view)) {
        table->reloadData();
        return;
    }
    for (const auto& subview : view->subviews())
        reloadTables(subview.get());
}

// The window host is a module of its own package; without it no window opens.
desktop::HostModule windowHost() {
    try {
        return desktop::HostModule::load();
    } catch (const desktop::HostMissing& missing) {
        throw MissingProgramFile(missing.what());
    }
}

int showWindow(const desktop::HostModule& host, const std::string& title,
               const WindowArguments& arguments, UIView* root) {
    const desktop::WindowOptions options{
        title, {arguments.width, arguments.height}, arguments.position};
    const int status = host.runWindow(options, [root] { return root; });
    UIAlertView::removeAllShownAlerts();
    return status;
}

} // namespace

int runMailApp(const Arguments& arguments, std::ostream&) {
    const WindowArguments window = windowArguments(arguments);
    const desktop::HostModule host = windowHost();
    requireMailDevice();
    sim::mail::MailAppOptions options;
    options.screenWidth = window.width;
    options.screenHeight = window.height;
    auto app = sim::mail::MailApp::launch(options);
    auto screen = app.mailboxList();

    // A settings change recolours what is shown: the extension rereads its settings on the
    // notification, and the shown tables fill their rows again on the next turn.
    auto& loop = dispatch::RunLoop::main();
    auto observation = corefoundation::DarwinNotifyCenter::shared().observe(
        settings::kChangeNotificationName, [&](std::string_view) {
            loop.dispatchAsync([&] { reloadTables(screen.navigation->view()); });
        });
    return showWindow(host, "Mail", window, screen.navigation->view());
}

int runSettingsApp(const Arguments& arguments, std::ostream&) {
    const WindowArguments window = windowArguments(arguments);
    const desktop::HostModule host = windowHost();
    sim::settings::SettingsAppOptions options;
    options.screenWidth = window.width;
    options.screenHeight = window.height;
    auto app = sim::settings::SettingsApp::launch(options);
    if (!app.loadError().empty())
        throw InputError(app.loadError() + " (make a device root with tintbox init --sample)");
    return showWindow(host, "Settings", window, &app.screen());
}

int runApp(const Arguments& arguments, std::ostream& out) {
    const auto width = arguments.value("--width");
    const auto height = arguments.value("--height");
    const double points = pointsOption("--width", width, kDefaultWidth);
    pointsOption("--height", height, kDefaultHeight);
    try {
        desktop::HostModule::require();
    } catch (const desktop::HostMissing& missing) {
        throw MissingProgramFile(missing.what());
    }
    useRoot(arguments.value("--root"));
    requireMailDevice();

    const fs::path self = fs::read_symlink("/proc/self/exe");
    auto start = [&](const std::string& app, double x) {
        std::vector<std::string> words{self.string(), app, "app", "--at",
                                       std::to_string(static_cast<int>(x)) + ",0"};
        if (width)
            words.insert(words.end(), {"--width", *width});
        if (height)
            words.insert(words.end(), {"--height", *height});
        std::vector<char*> argv;
        for (auto& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        pid_t pid = 0;
        if (::posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
            throw InputError("cannot start the " + app + " app");
        return pid;
    };
    const pid_t mail = start("mail", 0);
    const pid_t settingsApp = start("settings", points + kGap);
    out << "tintbox app: Mail (process " << mail << ") and Settings (process " << settingsApp
        << ") are open; close both windows to end\n";
    out.flush();

    int result = 0;
    for (const pid_t pid : {mail, settingsApp}) {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 1;
        if (code != 0 && result == 0)
            result = code;
    }
    return result;
}

std::vector<CommandDescription> appCommands() {
    return {{.path = "app",
             .summary = "the Mail and Settings apps side by side in desktop windows, one "
                        "process each; ends when both windows are closed",
             .options = windowOptions(false),
             .run = runApp},
            {.path = "mail app",
             .summary = "the Mail app in a desktop window: click, hold, scroll and type",
             .options = windowOptions(true),
             .run = runMailApp},
            {.path = "settings app",
             .summary = "the Settings app in a desktop window",
             .options = windowOptions(true),
             .run = runSettingsApp}};
}

} // namespace tintbox::cli
