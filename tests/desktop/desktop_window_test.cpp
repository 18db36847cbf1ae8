// The apps in real windows on a virtual X server: xdotool clicks, holds, drags, types and
// scrolls; the checks read screenshots of the window (ImageMagick's import) and what the apps
// write on the device root. Pixels are compared with the pictures that the same commands write
// headless (--png), since the window must show exactly that.
#include "platform/quartz/image.hpp"
#include "tests/support/process.hpp"
#include "tests/support/temporary_folder.hpp"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using tintbox::testing::EnvironmentOverrides;
using tintbox::testing::Process;
using tintbox::testing::ProcessResult;
using tintbox::testing::runProcess;

constexpr int kScale = 2;                        // GDK_SCALE of the windows, as the device's screen
constexpr double kWidth = 320;                   // points
constexpr double kHeight = 568;                  // points
constexpr double kRowsTop = 64;                  // status bar and navigation bar
constexpr double kAllInboxesRow = kRowsTop + 22; // the first row of the mailbox list

bool near(const quartz::Pixel& a, const quartz::Pixel& b, int tolerance = 3) {
    return std::abs(a.red - b.red) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
           std::abs(a.blue - b.blue) <= tolerance;
}

std::string describe(const quartz::Pixel& p) {
    std::ostringstream text;
    text << "rgb(" << int(p.red) << "," << int(p.green) << "," << int(p.blue) << ")";
    return text.str();
}

bool isWhite(const quartz::Pixel& p) {
    return p.red > 250 && p.green > 250 && p.blue > 250;
}

const nlohmann::json* findTag(const nlohmann::json& view, long tag) {
    if (view.value("tag", 0L) == tag)
        return &view;
    if (view.contains("subviews"))
        for (const auto& child : view.at("subviews"))
            if (const nlohmann::json* found = findTag(child, tag))
                return found;
    return nullptr;
}

// "#RRGGBBAA" at `opacity`, as it shows on a white row.
quartz::Pixel onWhite(const std::string& hex, double opacity) {
    const auto channel = [&](int index) {
        return std::stoi(hex.substr(1 + 2 * index, 2), nullptr, 16);
    };
    const double alpha = channel(3) / 255.0 * opacity;
    const auto blend = [&](int value) {
        return static_cast<std::uint8_t>(std::lround((1 - alpha) * 255 + alpha * value));
    };
    return {blend(channel(0)), blend(channel(1)), blend(channel(2)), 255};
}

// Whether the process has exited (and waits to be reaped by its handle).
bool ended(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), {});
    const auto close = text.rfind(')');
    return close == std::string::npos || (close + 2 < text.size() && text[close + 2] == 'Z');
}

bool waitUntil(const std::function<bool()>& condition, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return condition();
}

class DesktopWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!TINTBOX_HAVE_DESKTOP)
            GTEST_SKIP()
                << "this build has no desktop host (configured with -DTINTBOX_DESKTOP=OFF)";
        ASSERT_NE(std::getenv("DISPLAY"), nullptr)
            << "no X display: run these tests under xvfb-run, as ctest does";
        const auto made = tintbox({"init", "--sample"});
        ASSERT_EQ(made.exitStatus, 0) << made.err;
    }

    void TearDown() override {
        for (auto& window : m_windows) {
            ::kill(window->pid(), SIGTERM);
            const auto ended = window->wait();
            if (HasFailure())
                std::cerr << "window process said: " << ended.err << '\n';
        }
    }

    ProcessResult tintbox(std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), TINTBOX_EXECUTABLE);
        return runProcess(arguments, environment());
    }

    EnvironmentOverrides environment() const {
        return {{"TINTBOX_ROOT", root.path().c_str()},
                {"NO_COLOR", "1"},
                {"GDK_SCALE", "2"},
                {"GDK_BACKEND", "x11"},
                {"GSK_RENDERER", "cairo"}};
    }

    static ProcessResult xdotool(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "xdotool");
        return runProcess(arguments);
    }

    // Opens `app` (mail or settings) at x points from the left; its window id, "" on failure.
    std::string open(const std::string& app, double x = 0) {
        // A virtual X server under a loaded machine now and then refuses a connection for
        // longer than the app waits; a second start rides that out.
        for (int attempt = 0; attempt < 2; ++attempt) {
            m_windows.push_back(std::make_unique<Process>(
                std::vector<std::string>{TINTBOX_EXECUTABLE, app, "app", "--at",
                                         std::to_string(static_cast<int>(x)) + ",0"},
                environment()));
            const pid_t pid = m_windows.back()->pid();
            std::string id;
            waitUntil(
                [&] {
                    const auto found =
                        xdotool({"search", "--onlyvisible", "--pid", std::to_string(pid)});
                    std::istringstream lines(found.out);
                    std::getline(lines, id);
                    return !id.empty() || ended(pid);
                },
                15);
            if (!id.empty()) {
                // The first picture follows the window's mapping.
                std::this_thread::sleep_for(std::chrono::milliseconds(500));
                m_pids.push_back(pid);
                return id;
            }
        }
        return {};
    }

    pid_t pidOf(std::size_t window) const { return m_pids.at(window); }

    quartz::Image shot(const std::string& window) const {
        const fs::path file = m_shots / ("shot-" + std::to_string(m_shotCount++) + ".png");
        const auto taken = runProcess({"import", "-window", window, file.string()});
        if (taken.exitStatus != 0)
            throw std::runtime_error("import failed: " + taken.err);
        return quartz::Image::fromPNGFile(file);
    }

    // Points of the window to pixels of its screenshot.
    static int pixel(double points) { return static_cast<int>(points * kScale); }
    static std::string px(double points) { return std::to_string(pixel(points)); }

    static void click(const std::string& window, double x, double y) {
        xdotool({"mousemove", "--window", window, px(x), px(y), "click", "1"});
    }

    static void hold(const std::string& window, double x, double y, double seconds) {
        xdotool({"mousemove", "--window", window, px(x), px(y), "mousedown", "1", "sleep",
                 std::to_string(seconds), "mouseup", "1"});
    }

    static void wheelDown(const std::string& window, double x, double y, int steps) {
        xdotool({"mousemove", "--window", window, px(x), px(y), "click", "--repeat",
                 std::to_string(steps), "--delay", "20", "5"});
    }

    static void keys(const std::string& window, const std::vector<std::string>& names) {
        std::vector<std::string> arguments{"windowfocus", "--sync", window, "key"};
        arguments.insert(arguments.end(), names.begin(), names.end());
        xdotool(arguments);
    }

    static void type(const std::string& window, const std::string& text) {
        xdotool({"windowfocus", "--sync", window, "type", "--delay", "30", text});
    }

    // A picture the command writes headless, at the windows' scale.
    quartz::Image picture(std::vector<std::string> arguments) const {
        const fs::path file = m_shots / ("picture-" + std::to_string(m_shotCount++) + ".png");
        arguments.insert(arguments.end(), {"--png", file.string()});
        const auto result = tintbox(arguments);
        if (result.exitStatus != 0)
            throw std::runtime_error("tintbox failed: " + result.err);
        return quartz::Image::fromPNGFile(file);
    }

    // The band columns (2 points in from each side) of the rows, pixel by pixel.
    static std::vector<quartz::Pixel> bandColumns(const quartz::Image& image) {
        std::vector<quartz::Pixel> pixels;
        const int top = static_cast<int>(kRowsTop * kScale) + 2;
        const int bottom = static_cast<int>(kHeight * kScale) - 2;
        for (const int x : {2 * kScale, static_cast<int>(kWidth * kScale) - 2 * kScale})
            for (int y = top; y < bottom; y += 4)
                pixels.push_back(image.pixelAt(x, y));
        return pixels;
    }

    // How many band pixels of the window differ from the picture (or the whole count when the
    // sizes differ).
    static std::size_t differences(const quartz::Image& window, const quartz::Image& picture) {
        const auto a = bandColumns(window);
        const auto b = bandColumns(picture);
        if (a.size() != b.size())
            return a.size() + b.size();
        std::size_t count = 0;
        for (std::size_t i = 0; i < a.size(); ++i)
            count += near(a[i], b[i]) ? 0 : 1;
        return count;
    }

    static std::size_t colouredCount(const std::vector<quartz::Pixel>& pixels) {
        std::size_t count = 0;
        for (const auto& p : pixels)
            count += isWhite(p) ? 0 : 1;
        return count;
    }

    // Taps All Inboxes in the mailbox list and waits until the list shows as its picture does.
    bool showAllInboxes(const std::string& window) {
        if (!m_listPicture)
            m_listPicture = std::make_unique<quartz::Image>(picture({"mail", "list"}));
        click(window, 160, kAllInboxesRow);
        return waitUntil([&] { return differences(shot(window), *m_listPicture) == 0; }, 5);
    }

    tintbox::testing::TemporaryDeviceRoot root;

private:
    std::unique_ptr<quartz::Image> m_listPicture;
    tintbox::testing::TemporaryFolder m_shotFolder;
    fs::path m_shots{m_shotFolder.path()};
    mutable int m_shotCount{0};
    std::vector<std::unique_ptr<Process>> m_windows;
    std::vector<pid_t> m_pids; // of the windows that opened, in order
};

TEST_F(DesktopWindowTest, TheMessageListShowsItsBandsAtThePixelsThePictureHas) {
    const std::string window = open("mail");
    ASSERT_FALSE(window.empty()) << "no window appeared";
    const auto geometry = xdotool({"getwindowgeometry", window});
    EXPECT_NE(geometry.out.find(px(kWidth) + "x" + px(kHeight)), std::string::npos) << geometry.out;

    click(window, 160, kAllInboxesRow);
    const quartz::Image expected = picture({"mail", "list"});
    ASSERT_GT(colouredCount(bandColumns(expected)), 20u) << "the sample list has no bands";
    std::size_t differing = 0;
    EXPECT_TRUE(
        waitUntil([&] { return (differing = differences(shot(window), expected)) == 0; }, 5))
        << differing << " band pixels differ from tintbox mail list --png";

    // The back button leads to the mailbox list again, whose rows have no message bands.
    click(window, 30, 42);
    EXPECT_TRUE(waitUntil([&] { return differences(shot(window), expected) > 20; }, 3));
}

// The wheel scrolls the list to its end: the last message's row comes into view, filled (its
// text drawn) and with its account's band colour.
TEST_F(DesktopWindowTest, AScrollBringsLaterRowsIntoViewFilledAndColoured) {
    const auto listed = tintbox({"mail", "list", "--json=views"});
    ASSERT_EQ(listed.exitStatus, 0) << listed.err;
    const auto rows = nlohmann::json::parse(listed.out).at("rows");
    ASSERT_GT(rows.size(), 12u) << "the sample list fits on one screen";
    const nlohmann::json* band = findTag(rows.back().at("cell"), 2626);
    ASSERT_NE(band, nullptr);
    const quartz::Pixel lastBand =
        onWhite(band->at("layer").at("colors")[0], band->at("alpha").get<double>());

    const std::string window = open("mail");
    ASSERT_FALSE(window.empty());
    ASSERT_TRUE(showAllInboxes(window));
    const quartz::Image top = shot(window);
    wheelDown(window, 160, 300, 40);
    quartz::Image scrolled = top;
    EXPECT_TRUE(waitUntil(
        [&] {
            scrolled = shot(window);
            return near(scrolled.pixelAt(pixel(2), pixel(kHeight - 12)), lastBand);
        },
        5))
        << "the bottom row's band is " << describe(scrolled.pixelAt(pixel(2), pixel(kHeight - 12)))
        << ", the last message's " << describe(lastBand);
    EXPECT_GT(differences(scrolled, top), 10u);
    int inked = 0; // dark pixels of the last row's text
    for (int x = pixel(20); x < pixel(300); ++x)
        inked += scrolled.pixelAt(x, pixel(kHeight - 30)).red < 128 ? 1 : 0;
    EXPECT_GT(inked, 10) << "the last row is empty";
}

TEST_F(DesktopWindowTest, AHeldMessageShowsTheReminderAlertAndReturnWritesTheReminder) {
    const std::string window = open("mail");
    ASSERT_FALSE(window.empty());
    ASSERT_TRUE(showAllInboxes(window));
    const quartz::Image before = shot(window);

    hold(window, 160, kRowsTop + 44 + 30, 1.2);
    // The alert is drawn on a dimmed screen: the rows' pixels darken around its card.
    quartz::Image withAlert = before;
    ASSERT_TRUE(waitUntil(
        [&] {
            withAlert = shot(window);
            return withAlert.pixelAt(4, 4).red + 40 < before.pixelAt(4, 4).red;
        },
        4))
        << "no alert after a 1.2 s hold";

    auto countReminders = [&] {
        std::size_t count = 0;
        std::error_code ignored;
        for (auto it = fs::recursive_directory_iterator(root.path(), ignored);
             it != fs::recursive_directory_iterator(); it.increment(ignored))
            count += it->path().extension() == ".ics" ? 1 : 0;
        return count;
    };
    const std::size_t existing = countReminders();
    keys(window, {"Return"});
    EXPECT_TRUE(waitUntil([&] { return countReminders() == existing + 1; }, 3))
        << "Return did not save a reminder";
    EXPECT_TRUE(
        waitUntil([&] { return near(shot(window).pixelAt(4, 4), before.pixelAt(4, 4)); }, 3))
        << "the alert stayed";
}

TEST_F(DesktopWindowTest, EscapeCancelsTheReminderAlertWithoutWritingAnything) {
    const std::string window = open("mail");
    ASSERT_FALSE(window.empty());
    ASSERT_TRUE(showAllInboxes(window));
    const quartz::Image before = shot(window);
    hold(window, 160, kRowsTop + 44 + 30, 1.2);
    ASSERT_TRUE(waitUntil(
        [&] { return shot(window).pixelAt(4, 4).red + 40 < before.pixelAt(4, 4).red; }, 4));
    keys(window, {"Escape"});
    EXPECT_TRUE(
        waitUntil([&] { return near(shot(window).pixelAt(4, 4), before.pixelAt(4, 4)); }, 3));
    std::error_code ignored;
    for (auto it = fs::recursive_directory_iterator(root.path(), ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored))
        EXPECT_NE(it->path().extension(), ".ics") << it->path();
}

TEST_F(DesktopWindowTest, AClickOnUnreadFiltersTheList) {
    const std::string window = open("mail");
    ASSERT_FALSE(window.empty());
    const quartz::Image all = picture({"mail", "list"});
    const quartz::Image unread = picture({"mail", "quick-filter", "--segment", "unread"});
    ASSERT_GT(differences(all, unread), 10u)
        << "the sample's unread list looks like the whole list";
    ASSERT_TRUE(showAllInboxes(window));

    click(window, 160, kRowsTop + 21); // the quick filter bar's middle segment
    std::size_t differing = 0;
    EXPECT_TRUE(waitUntil([&] { return (differing = differences(shot(window), unread)) == 0; }, 5))
        << differing << " band pixels differ from the unread list's picture";
}

// Two processes, one notification: a colour typed in the Settings window reaches the Mail
// window, which shows the account's new band colour within two seconds.
TEST_F(DesktopWindowTest, AColourTypedInSettingsRecoloursTheMailWindow) {
    const std::string mail = open("mail");
    const std::string settings = open("settings", kWidth + 24);
    ASSERT_FALSE(mail.empty());
    ASSERT_FALSE(settings.empty());
    ASSERT_TRUE(showAllInboxes(mail));

    // The Work rows' band opacity, which the new colour keeps.
    auto workBand = [&] {
        const auto listed = tintbox({"mail", "list", "--account", "Work", "--json=views"});
        const auto list = nlohmann::json::parse(listed.out);
        const nlohmann::json* band = findTag(list.at("rows").at(0).at("cell"), 2626);
        return band ? *band : nlohmann::json();
    };
    const nlohmann::json band = workBand();
    ASSERT_FALSE(band.is_null());
    ASSERT_NE(band.at("layer").at("colors")[0], "#FF0000FF");
    const quartz::Pixel red = onWhite("#FF0000FF", band.at("alpha").get<double>());

    // The Work account's colour pane: the last rows of the root pane, scrolled into view.
    wheelDown(settings, 160, 300, 40);
    click(settings, 160, 447); // Work
    click(settings, 160, 100); // the hex value, which asks for a new one
    type(settings, "FF0000");
    keys(settings, {"Return"});
    const auto typed = std::chrono::steady_clock::now();
    const bool recoloured = waitUntil(
        [&] {
            for (const auto& pixel : bandColumns(shot(mail)))
                if (near(pixel, red))
                    return true;
            return false;
        },
        2);
    const double took =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - typed).count();
    EXPECT_EQ(workBand().at("layer").at("colors")[0], "#FF0000FF")
        << "the settings file is unchanged";
    EXPECT_TRUE(recoloured) << "the Mail window kept its colours for " << took << " s";
}

TEST_F(DesktopWindowTest, AnIdleWindowUsesNoProcessorTime) {
    const std::string window = open("mail");
    ASSERT_FALSE(window.empty());
    ASSERT_TRUE(showAllInboxes(window));
    std::this_thread::sleep_for(std::chrono::seconds(1));
    auto cpuSeconds = [&] {
        std::ifstream stat("/proc/" + std::to_string(pidOf(0)) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), {});
        std::istringstream fields(text.substr(text.rfind(')') + 2));
        std::string field;
        long ticks = 0;
        for (int i = 3; i <= 15 && fields >> field; ++i)
            if (i == 14 || i == 15)
                ticks += std::stol(field);
        return static_cast<double>(ticks) / static_cast<double>(::sysconf(_SC_CLK_TCK));
    };
    const double start = cpuSeconds();
    std::this_thread::sleep_for(std::chrono::seconds(5));
    const double used = cpuSeconds() - start;
    EXPECT_LT(used / 5.0, 0.01) << used << " s of processor time in 5 s of idling";
}

// Runs with or without a desktop host and a display: what cannot open a window says so in one
// line (status 2 without a display, 1 without the host), and a mistaken option is named before
// anything opens.
TEST(WindowCommands, BadInputAndAMissingDisplayAreOneLineErrors) {
    tintbox::testing::TemporaryDeviceRoot root;
    const EnvironmentOverrides headless{
        {"TINTBOX_ROOT", root.path().c_str()}, {"DISPLAY", nullptr}, {"WAYLAND_DISPLAY", nullptr}};
    const auto made = runProcess({TINTBOX_EXECUTABLE, "init", "--sample"}, headless);
    ASSERT_EQ(made.exitStatus, 0) << made.err;
    struct Case {
        std::vector<std::string> words;
        std::string says;
        int status{2};
    };
    const std::string noWindow = TINTBOX_HAVE_DESKTOP ? "no display" : "tintbox-desktop";
    const int noWindowStatus = TINTBOX_HAVE_DESKTOP ? 2 : 1;
    const std::vector<Case> cases{
        {{"mail", "app", "--width", "5"}, "--width"},
        {{"settings", "app", "--height", "tall"}, "--height"},
        {{"mail", "app", "--at", "nowhere"}, "--at"},
        {{"mail", "app"}, noWindow, noWindowStatus},
        {{"settings", "app"}, noWindow, noWindowStatus},
    };
    for (const Case& c : cases) {
        std::vector<std::string> argv{TINTBOX_EXECUTABLE};
        argv.insert(argv.end(), c.words.begin(), c.words.end());
        const auto result = runProcess(argv, headless);
        const std::string command = c.words[0] + " " + c.words[1];
        EXPECT_EQ(result.exitStatus, c.status) << command << ": " << result.err;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << command << ": " << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
}

} // namespace
