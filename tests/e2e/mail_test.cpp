// The Mail screens end to end: the built `tintbox` on a device root made by `tintbox init
// --sample`, with the mail extension loaded into the Mail stand-in as on a device. The bands
// show in the JSON dump of each row, in the pixels of the rendered list, and change in a
// running list when the settings file changes and the notification comes from another process.
#include "platform/corefoundation/darwin_notify_center.hpp"
#include "platform/foundation/property_list.hpp"
#include "platform/quartz/image.hpp"
#include "tests/e2e/sample_device_test.hpp"
#include "tests/e2e/watched_mail_list.hpp"
#include "tests/support/process.hpp"
#include "tests/support/temporary_folder.hpp"

#include <chrono>
#include <cmath>
#include <csignal>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <thread>

namespace {

using namespace tintbox::testing;
using nlohmann::json;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr const char* kNotification = "net.quillward.tintbox.preferences";
constexpr double kNavigationTop = 64; // status bar and navigation bar above the list
constexpr double kScale = 2;          // pixels per point of the rendered screens

class MailCommand : public SampleDeviceTest {
protected:
    void SetUp() override { SampleDeviceTest::SetUp(); }

    json workInbox(const std::vector<std::string>& extra = {}) const {
        std::vector<std::string> arguments{"mail",      "list",  "--account",   "Work",
                                           "--mailbox", "INBOX", "--json=views"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        const auto result = tintbox(arguments);
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        return json::parse(result.out);
    }
};

// The view with that tag in a view dump, depth first; null when none.
const json* findTag(const json& view, long tag) {
    if (view.value("tag", 0L) == tag)
        return &view;
    if (!view.contains("subviews"))
        return nullptr;
    for (const auto& child : view.at("subviews"))
        if (const json* found = findTag(child, tag))
            return found;
    return nullptr;
}

const json& rowWithSubject(const json& list, const std::string& subject) {
    for (const auto& row : list["rows"])
        if (row["subject"] == subject)
            return row;
    throw std::runtime_error("no row with the subject " + subject);
}

std::vector<std::string> bandColours(const json& row, long tag) {
    const json* band = findTag(row["cell"], tag);
    if (!band)
        return {};
    return band->at("layer").at("colors").get<std::vector<std::string>>();
}

// "#RRGGBBAA" at `opacity`, as it shows on the white row.
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

void expectNear(quartz::Pixel actual, quartz::Pixel expected, const std::string& where) {
    EXPECT_NEAR(actual.red, expected.red, 2) << where;
    EXPECT_NEAR(actual.green, expected.green, 2) << where;
    EXPECT_NEAR(actual.blue, expected.blue, 2) << where;
}

TEST_F(MailCommand, ListJsonShowsTheAccountBandAndTheStripesOfMatchingFilters) {
    const json list = workInbox();
    ASSERT_FALSE(list["rows"].empty());
    for (const auto& row : list["rows"]) {
        EXPECT_FALSE(row["message"].get<std::string>().empty());
        const json* account = findTag(row["cell"], 2626);
        ASSERT_NE(account, nullptr) << row["subject"];
        EXPECT_EQ(account->at("layer").at("colors"), json::array({"#1565C0FF", "#1565C0FF"}));
        EXPECT_GT(account->at("alpha").get<double>(), 0.0);
    }
    // From Ada Lovelace: the first sample filter (lovelace|babbage) alone.
    EXPECT_EQ(bandColours(rowWithSubject(list, "Notes on the analytical engine draft"), 26262),
              (std::vector<std::string>{"#D32F2FFF", "#D32F2FFF"}));
    // An overdue invoice from billing: the invoice filter and then the urgent one, in order.
    EXPECT_EQ(bandColours(rowWithSubject(list, "Your invoice INV-2026-1187 is overdue"), 26262),
              (std::vector<std::string>{"#FF8F00FF", "#FF8F00FF", "#F9A825FF", "#F9A825FF"}));
    // Nothing matches: a clear filter band.
    EXPECT_EQ(bandColours(rowWithSubject(list, "Lunch?"), 26262),
              (std::vector<std::string>{"#00000000", "#00000000"}));
}

TEST_F(MailCommand, RenderedListHasTheBandColoursAtTheirPixels) {
    const auto picture = root / "list.png";
    const auto drawn = tintbox({"mail", "list", "--account", "Work", "--mailbox", "INBOX", "--png",
                                picture.string(), "--width", "320"});
    ASSERT_EQ(drawn.exitStatus, 0) << drawn.err;
    EXPECT_THAT(drawn.out, IsEmpty()) << "a picture replaces the text";
    EXPECT_EQ(drawn.err, "Wrote " + picture.string() + "\n");
    const json list = workInbox({"--width", "320"});
    const auto image = quartz::Image::fromPNGFile(picture);
    ASSERT_EQ(image.pixelWidth(), 320 * kScale);
    const auto& rows = list["rows"];
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const json& cell = rows[i]["cell"];
        const double top = kNavigationTop + cell["frame"][1].get<double>() -
                           list["contentOffset"][1].get<double>();
        const int y = static_cast<int>((top + cell["frame"][3].get<double>() / 2) * kScale);
        if (y >= image.pixelHeight())
            break;
        const json* account = findTag(cell, 2626);
        const json* filters = findTag(cell, 26262);
        ASSERT_TRUE(account && filters);
        const std::string where = "row " + std::to_string(i) + " " + rows[i]["subject"].dump();
        expectNear(image.pixelAt(2 * static_cast<int>(kScale), y),
                   onWhite(account->at("layer").at("colors")[0], account->at("alpha")),
                   where + " account band");
        const auto stripes = filters->at("layer").at("colors");
        const int right = image.pixelWidth() - 2 * static_cast<int>(kScale);
        if (stripes.size() == 2 && stripes[0] != "#00000000") {
            expectNear(image.pixelAt(right, y), onWhite(stripes[0], filters->at("alpha")),
                       where + " filter band");
        } else if (stripes.size() == 4) { // two stripes: the first in the top half
            const int upper = static_cast<int>((top + 5) * kScale);
            const int lower = static_cast<int>((top + 39) * kScale);
            expectNear(image.pixelAt(right, upper), onWhite(stripes[0], filters->at("alpha")),
                       where + " first stripe");
            expectNear(image.pixelAt(right, lower), onWhite(stripes[2], filters->at("alpha")),
                       where + " second stripe");
        }
    }
}

TEST_F(MailCommand, ScreensAnswerInJsonAndUnknownNamesAreOneLineErrors) {
    const auto mailboxes = tintbox({"mail", "mailboxes", "--json"});
    ASSERT_EQ(mailboxes.exitStatus, 0) << mailboxes.err;
    EXPECT_NE(findTag(json::parse(mailboxes.out), 2628), nullptr);
    const auto folders = tintbox({"mail", "folders", "--account", "Work"});
    ASSERT_EQ(folders.exitStatus, 0) << folders.err;
    EXPECT_THAT(folders.out, HasSubstr("Work"));

    const std::string id = workInbox()["rows"][0]["message"];
    const auto listed = tintbox({"mail", "list", "--account", "Work", "--mailbox", "INBOX"});
    EXPECT_THAT(listed.out, HasSubstr(id)) << "the plain list names each message's id";
    const auto open = tintbox({"mail", "open", "--message", id, "--json"});
    ASSERT_EQ(open.exitStatus, 0) << open.err;
    EXPECT_NE(findTag(json::parse(open.out), 2627), nullptr);

    const std::vector<std::vector<std::string>> bad{
        {"mail", "list", "--account", "Nobody"},
        {"mail", "list", "--account", "Work", "--mailbox", "Nowhere"},
        {"mail", "open", "--message", "no-such-id"},
        {"mail", "folders"},
        {"mail", "list", "--width", "wide"},
        {"mail", "fly"},
    };
    for (const auto& arguments : bad) {
        const auto result = tintbox(arguments);
        EXPECT_EQ(result.exitStatus, 2) << arguments.back();
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
}

TEST_F(MailCommand, DatesAreShownInTheLocalTimeZone) {
    // Sent Wed, 09 Dec 2026 18:30 +0100: 17:30 in UTC, already the next day in Tokyo.
    std::string id;
    const json list = workInbox();
    for (const auto& row : list["rows"])
        if (row["subject"] == "Difference engine budget \u2014 need figures ASAP")
            id = row["message"];
    ASSERT_FALSE(id.empty());
    const auto utc = tintbox({"mail", "open", "--message", id}, {{"TZ", "UTC"}});
    ASSERT_EQ(utc.exitStatus, 0) << utc.err;
    EXPECT_THAT(utc.out, HasSubstr("Wed, 09 Dec 2026 17:30"));
    const auto tokyo = tintbox({"mail", "open", "--message", id}, {{"TZ", "Asia/Tokyo"}});
    ASSERT_EQ(tokyo.exitStatus, 0) << tokyo.err;
    EXPECT_THAT(tokyo.out, HasSubstr("Thu, 10 Dec 2026 02:30"));
}

TEST_F(MailCommand, WithoutADeviceRootItSaysSoInOneLine) {
    TemporaryFolder empty;
    const auto result = runProcess({TINTBOX_EXECUTABLE, "mail", "mailboxes"},
                                   {{"TINTBOX_ROOT", empty.path().c_str()}});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_THAT(result.err, HasSubstr("tintbox init"));
}

TEST_F(MailCommand, WatchedListRedrawsWithTheNewColoursWhenAnotherProcessPostsTheChange) {
    WatchedMailList watched(root.path(), "Work", "INBOX");
    ASSERT_TRUE(watched.waitForDrawings(1)) << "no first drawing";
    EXPECT_EQ(bandColours(watched.drawings()[0]["rows"][0], 2626)[0], "#1565C0FF");

    changeSettings("Work", std::string("#00FF00"));
    ASSERT_TRUE(corefoundation::DarwinNotifyCenter::shared().post(kNotification));
    ASSERT_TRUE(watched.waitForDrawings(2)) << "no redraw after the notification";
    EXPECT_EQ(watched.stop(), 0);

    const auto lines = watched.drawings();
    for (const auto& row : lines[1]["rows"])
        EXPECT_EQ(bandColours(row, 2626), (std::vector<std::string>{"#00FF00FF", "#00FF00FF"}))
            << row["subject"];
}

TEST_F(MailCommand, AListShownWhileTintboxIsOffIsColouredOnceItIsTurnedOn) {
    changeSettings("enabled", false);
    WatchedMailList watched(root.path(), "Work", "INBOX");
    ASSERT_TRUE(watched.waitForDrawings(1)) << "no first drawing";
    EXPECT_TRUE(bandColours(watched.drawings()[0]["rows"][0], 2626).empty());

    changeSettings("enabled", true);
    ASSERT_TRUE(corefoundation::DarwinNotifyCenter::shared().post(kNotification));
    ASSERT_TRUE(watched.waitForDrawings(2)) << "no redraw after the notification";
    EXPECT_EQ(watched.stop(), 0);
    const auto lines = watched.drawings();
    EXPECT_EQ(bandColours(lines[1]["rows"][0], 2626),
              (std::vector<std::string>{"#1565C0FF", "#1565C0FF"}));
}

} // namespace
