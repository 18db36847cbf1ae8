// tintbox mail remind end to end: the built command on a sample device root long-presses a
// message in the Mail stand-in with the mail extension loaded, answers the reminder alert and
// prints the iCalendar file it wrote; its failures are one line on standard error.
#include "platform/foundation/property_list.hpp"
#include "tests/e2e/sample_device_test.hpp"
#include "tests/support/process.hpp"
#include "tests/support/temporary_folder.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using namespace tintbox::testing;
using ::testing::HasSubstr;

constexpr const char* kRemindersFolder = "private/var/mobile/Library/Calendar/Reminders";
constexpr const char* kSubject = "Difference engine budget \u2014 need figures ASAP";

// The lines of an iCalendar file with its folded lines joined again.
std::string unfolded(std::string text) {
    std::string joined;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r')
            continue;
        if (text[i] == '\n' && i + 1 < text.size() && text[i + 1] == ' ') {
            ++i;
            continue;
        }
        joined += text[i];
    }
    return joined;
}

std::size_t reminderCount(const std::filesystem::path& folder) {
    std::size_t count = 0;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        count += entry.path().extension() == ".ics";
    return count;
}

class MailRemind : public SampleDeviceTest {
protected:
    void SetUp() override {
        SampleDeviceTest::SetUp();
        if (HasFatalFailure())
            return;
        const auto list = tintbox({"mail", "list", "--json"});
        ASSERT_EQ(list.exitStatus, 0) << list.err;
        const auto rows = nlohmann::json::parse(list.out)["rows"];
        for (const auto& row : rows)
            if (row["subject"] == kSubject)
                message = row["message"].get<std::string>();
        ASSERT_FALSE(message.empty()) << "no message with the subject " << kSubject;
    }

    ProcessResult remind(const std::string& due, std::vector<std::string> extra = {}) const {
        std::vector<std::string> arguments{"mail", "remind", "--message", message, "--due", due};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return tintbox(arguments, {{"TZ", "UTC"}});
    }

    std::string message;
};

TEST_F(MailRemind, AddWritesTheReminderDueAtTheMinuteWithTheLinkAndTheBody) {
    const auto result = remind("2030-01-02T09:30:42");
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const std::filesystem::path file(result.out.substr(0, result.out.find('\n')));
    EXPECT_EQ(file.parent_path(), root / kRemindersFolder);
    EXPECT_EQ(file.extension(), ".ics");
    const std::string ics = unfolded(fileContents(file));
    // The sample settings put "Mail: " in front of the subject.
    EXPECT_THAT(ics, HasSubstr(std::string("SUMMARY:Mail: ") + kSubject + "\n"));
    EXPECT_THAT(ics, HasSubstr("URL:message://%3C1796837400.0222.sample@example.com%3E\n"));
    EXPECT_THAT(ics, HasSubstr("DESCRIPTION:message://%3C1796837400.0222.sample@example.com%3E"
                               "\\n\\nSam\\,\\n\\nThe committee meets on Monday"));
    EXPECT_THAT(ics, HasSubstr("DUE:20300102T093000Z\n"));
    EXPECT_THAT(ics, HasSubstr("TRIGGER;VALUE=DATE-TIME:20300102T093000Z\n"));
}

TEST_F(MailRemind, ARowBelowTheFirstScreenfulIsScrolledIntoViewAndPressed) {
    // Older messages than any of the sample's, so that they are listed below it, past the
    // first screenful of the Work inbox.
    const auto cur = root / "private/var/mobile/Library/Mail/Work/cur";
    ASSERT_TRUE(std::filesystem::is_directory(cur));
    for (int i = 0; i < 5; ++i)
        writeFile(cur / ("176000000" + std::to_string(i) + ".M90" + std::to_string(i) +
                         "P1.quillbox:2,S"),
                  "From: Old Sender <old@example.com>\r\nTo: sam@example.com\r\n"
                  "Subject: Old note " +
                      std::to_string(i) +
                      "\r\n"
                      "Date: Thu, 0" +
                      std::to_string(i + 1) +
                      " Oct 2025 10:00:00 +0000\r\n"
                      "Message-ID: <old-" +
                      std::to_string(i) + "@example.com>\r\n\r\nOld body\r\n");
    const auto list = tintbox({"mail", "list", "--account", "Work", "--json"});
    ASSERT_EQ(list.exitStatus, 0) << list.err;
    const auto rows = nlohmann::json::parse(list.out)["rows"];
    ASSERT_GE(rows.size(), 15u);
    EXPECT_EQ(rows.back()["subject"], "Old note 0");
    message = rows.back()["message"].get<std::string>();

    const auto result = remind("2030-01-02T09:30");
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const std::filesystem::path file(result.out.substr(0, result.out.find('\n')));
    EXPECT_THAT(unfolded(fileContents(file)), HasSubstr("URL:message://%3Cold-0@example.com%3E\n"));
}

TEST_F(MailRemind, CancelSavesNothing) {
    const auto result = remind("2030-01-02T09:30", {"--cancel"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "cancelled: no reminder saved\n");
    EXPECT_EQ(reminderCount(root / kRemindersFolder), 0u);
}

TEST_F(MailRemind, BadInputIsOneLineWithStatusTwo) {
    const std::vector<std::vector<std::string>> cases{
        {"mail", "remind", "--due", "2030-01-02T09:30"},
        {"mail", "remind", "--message", "x"},
        {"mail", "remind", "--message", "nope", "--due", "2030-01-02T09:30"},
    };
    for (const auto& arguments : cases) {
        const auto result = tintbox(arguments);
        EXPECT_EQ(result.exitStatus, 2) << arguments.back();
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    for (const char* due :
         {"2030-02-30T09:30", "2030-01-02 09:30", "2030-01-02T09:30:42x", "2001-01-01T00:00"}) {
        const auto result = remind(due);
        EXPECT_EQ(result.exitStatus, 2) << due;
        EXPECT_THAT(result.err, HasSubstr("--due")) << due;
    }
    EXPECT_EQ(reminderCount(root / kRemindersFolder), 0u);
}

TEST_F(MailRemind, TheExtensionsErrorAlertIsReportedWithStatusOne) {
    writeFile(root / "private/var/mobile/Library/Calendar", "not a folder");
    const auto result = remind("2030-01-02T09:30");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, "tintbox mail remind: ERROR: Unable to create Reminder Event Store\n");
}

TEST_F(MailRemind, WithoutTheExtensionOnNothingPretendsToWork) {
    const auto settings =
        root / "private/var/mobile/Library/Preferences/net.quillward.tintbox.plist";
    auto dictionary = foundation::dictionaryWithContentsOfFile(settings);
    ASSERT_TRUE(dictionary);
    (*dictionary)["enabled"] = false;
    ASSERT_TRUE(foundation::writePropertyListAtomically(foundation::Value(*dictionary), settings));
    const auto result = remind("2030-01-02T09:30");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_THAT(result.err, HasSubstr("no long-press action"));
    EXPECT_EQ(reminderCount(root / kRemindersFolder), 0u);
}

} // namespace
