// The command facing hostile or broken input: settings files that crashed or were lost, writes
// that fail, writers that run at once, and mail written to attack the terminal.
#include "platform/foundation/property_list.hpp"
#include "tests/e2e/sample_device_test.hpp"
#include "tests/support/process.hpp"
#include "tests/support/temporary_folder.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/wait.h>

namespace {

using namespace tintbox::testing;
using ::testing::HasSubstr;
using ::testing::Not;

std::size_t lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// The 52-byte binary settings file whose UTF-16 key holds U+0000.
std::string nulKeySettings() {
    std::string document = "bplist00";
    document += std::string("\xD1\x01\x02", 3);
    document += std::string("\x63\x00"
                            "b\x00"
                            "a\x00\x00",
                            7);
    document += "\x09";
    document += std::string("\x08\x0B\x12", 3);
    document += std::string(6, '\0') + "\x01\x01";
    for (const std::uint64_t word : {std::uint64_t{3}, std::uint64_t{0}, std::uint64_t{19}})
        for (int shift = 56; shift >= 0; shift -= 8)
            document += static_cast<char>((word >> shift) & 0xFF);
    return document;
}

class HostileSettings : public SampleDeviceTest {
protected:
    std::filesystem::path settingsFile() const { return root / kSampleSettingsFile; }
};

TEST_F(HostileSettings, AFileThatCrashedTheReaderSwitchesHighlightingOffAndCheckReportsIt) {
    writeFile(settingsFile(), nulKeySettings());
    for (const std::vector<std::string>& command : {std::vector<std::string>{"mail", "list"},
                                                    {"mail", "mailboxes"},
                                                    {"settings", "show"},
                                                    {"snapshot"}}) {
        SCOPED_TRACE(command.back());
        const auto result = tintbox(command);
        EXPECT_TRUE(result.exitStatus == 0 || result.exitStatus == 2) << result.err;
    }
    const auto check = tintbox({"check"});
    EXPECT_EQ(check.exitStatus, 2) << check.out << check.err;
    EXPECT_THAT(check.out + check.err, HasSubstr("NUL"));
}

TEST_F(HostileSettings, AToggleOnAnUnreadableFileKeepsItAsideAndSaysSo) {
    const std::string garbage = "this is not a property list";
    writeFile(settingsFile(), garbage);
    const auto result = tintbox({"settings", "show", "--toggle", "Enabled"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const auto backup = settingsFile().string() + ".unreadable";
    EXPECT_THAT(result.err, HasSubstr(backup));
    EXPECT_EQ(lines(result.err), 1u) << result.err;
    EXPECT_EQ(fileContents(backup), garbage);
    EXPECT_NE(foundation::find(settings(), "enabled"), nullptr);
}

TEST_F(HostileSettings, FarDatesAndUidsAreKeptWhenThePaneWrites) {
    auto file = settings();
    file["lastSeen"] = foundation::Date{3124137600.0}; // 2100-01-01
    file["archived"] = foundation::Uid{4};
    std::string error;
    ASSERT_TRUE(
        foundation::writePropertyListAtomically(foundation::Value(file), settingsFile(), &error))
        << error;
    const auto result = tintbox({"settings", "show", "--toggle", "Enabled"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    auto expected = file;
    expected["enabled"] = !file["enabled"].boolValue();
    EXPECT_EQ(foundation::Value(settings()), foundation::Value(expected));
}

TEST_F(HostileSettings, AFailedWriteIsAnErrorNamingTheFile) {
    const std::string before = fileContents(settingsFile());
    // No file may grow, so the new settings file cannot be written.
    const auto result = runProcess(
        {"sh", "-c", "trap '' XFSZ; ulimit -f 0; exec \"$0\" settings show --toggle Enabled",
         TINTBOX_EXECUTABLE},
        {{"TINTBOX_ROOT", root.path().c_str()}, {"NO_COLOR", "1"}});
    EXPECT_EQ(result.exitStatus, 1) << result.out << result.err;
    EXPECT_EQ(lines(result.err), 1u) << result.err;
    EXPECT_THAT(result.err, HasSubstr(settingsFile().filename().string()));
    EXPECT_THAT(result.err, HasSubstr("File too large"));
    EXPECT_EQ(fileContents(settingsFile()), before);
}

TEST_F(HostileSettings, ConcurrentColourWritersLoseNothing) {
    constexpr int kWrites = 4;
    // Every key the writers store names an account, as the colour command asks.
    const auto maildir = root / "ConcurrentMail";
    for (const char* folder : {"cur", "new", "tmp"})
        std::filesystem::create_directories(maildir / folder);
    std::vector<std::string> init{TINTBOX_EXECUTABLE, "init"};
    for (const char* writer : {"A", "B"})
        for (int i = 0; i < kWrites; ++i) {
            init.push_back("--account");
            init.push_back(writer + std::to_string(i) + "=" + maildir.string());
        }
    ASSERT_EQ(runProcess(init, {{"TINTBOX_ROOT", root.path().c_str()}}).exitStatus, 0);
    std::vector<std::unique_ptr<Process>> writers;
    for (const char* writer : {"A", "B"}) {
        std::string script;
        for (int i = 0; i < kWrites; ++i)
            script += "\"$0\" settings colour --key " + std::string(writer) + std::to_string(i) +
                      " --hex 10203" + std::to_string(i) + " >/dev/null || exit 1; ";
        writers.push_back(std::make_unique<Process>(
            std::vector<std::string>{"sh", "-c", script, TINTBOX_EXECUTABLE},
            EnvironmentOverrides{{"TINTBOX_ROOT", root.path().c_str()}}));
    }
    for (auto& writer : writers)
        EXPECT_EQ(writer->wait().exitStatus, 0);
    const auto file = settings();
    for (const char* writer : {"A", "B"})
        for (int i = 0; i < kWrites; ++i) {
            const std::string key = writer + std::to_string(i);
            ASSERT_NE(foundation::find(file, key), nullptr) << key << " was lost";
            EXPECT_EQ(*foundation::find(file, key)->asString(), "#10203" + std::to_string(i));
        }
}

TEST(FirstSettingsWrite, ACommandOnADeviceWithoutASettingsFileCreatesIt) {
    TemporaryDeviceRoot root;
    const EnvironmentOverrides environment{{"TINTBOX_ROOT", root.path().c_str()}};
    const auto maildir = root / "WorkMail";
    for (const char* folder : {"cur", "new", "tmp"})
        std::filesystem::create_directories(maildir / folder);
    ASSERT_EQ(runProcess({TINTBOX_EXECUTABLE, "init", "--account", "Work=" + maildir.string()},
                         environment)
                  .exitStatus,
              0);
    // init writes a first settings file; a device may still have none, as before any init did.
    const auto file = root / kSampleSettingsFile;
    std::filesystem::remove(file);

    // A colour for a filter that does not exist is still refused, and makes no file.
    const auto filter = runProcess(
        {TINTBOX_EXECUTABLE, "settings", "colour", "--key", "Color Value 0", "--hex", "123456"},
        environment);
    EXPECT_EQ(filter.exitStatus, 2) << filter.out;
    EXPECT_FALSE(std::filesystem::exists(file));

    const auto account =
        runProcess({TINTBOX_EXECUTABLE, "settings", "colour", "--key", "Work", "--hex", "2E7D32"},
                   environment);
    ASSERT_EQ(account.exitStatus, 0) << account.err;
    EXPECT_THAT(account.out, HasSubstr("stored #2E7D32"));
    EXPECT_EQ(foundation::dictionaryWithContentsOfFile(file),
              (foundation::Dictionary{{"Work", "#2E7D32"}}));
}

class HostileMail : public SampleDeviceTest {
protected:
    void SetUp() override {
        SampleDeviceTest::SetUp();
        if (HasFatalFailure())
            return;
        writeFile(root / "private/var/mobile/Library/Mail/Work/new/1799999999.M1P1.evil",
                  "From: \"\x1b[2J\x07Mallory\" <m@example.com>\r\n"
                  "To: you@example.com\r\n"
                  "Subject: \x1b[H\x1b[2J\x1b]0;owned\x07 fake\r\n"
                  "Date: Thu, 10 Dec 2026 09:00:00 +0000\r\n"
                  "\r\n"
                  "line one \x1b[31mred\x1b[0m\r\n"
                  "bare\rreturn and a bell \x07 and vt \x0b end\r\n");
        const auto list = tintbox({"mail", "list", "--json"});
        ASSERT_EQ(list.exitStatus, 0) << list.err;
        const auto rows = nlohmann::json::parse(list.out)["rows"];
        for (const auto& row : rows)
            if (row["subject"].get<std::string>().find("fake") != std::string::npos)
                message = row["message"].get<std::string>();
        ASSERT_FALSE(message.empty()) << "the planted message is not listed";
    }

    std::string message;
};

TEST_F(HostileMail, ControlCharactersNeverReachTheTerminalRaw) {
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"mail", "list", "--account", "Work", "--mailbox", "INBOX"},
          {"mail", "open", "--message", message}}) {
        SCOPED_TRACE(command[1]);
        const auto result = tintbox(command);
        ASSERT_EQ(result.exitStatus, 0) << result.err;
        EXPECT_EQ(result.out.find('\x1b'), std::string::npos);
        EXPECT_EQ(result.out.find('\x07'), std::string::npos);
        EXPECT_EQ(result.out.find('\x0b'), std::string::npos);
        EXPECT_EQ(result.out.find('\r'), std::string::npos);
        EXPECT_THAT(result.out, HasSubstr("\u241B[2J")) << "shown as a visible symbol";
    }
    const auto open = tintbox({"mail", "open", "--message", message});
    EXPECT_THAT(open.out, HasSubstr("bare\u240Dreturn and a bell \u2407"));
}

TEST_F(HostileMail, JsonEscapesThemAsJsonDoes) {
    const auto result = tintbox({"mail", "list", "--json"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out.find('\x1b'), std::string::npos);
    EXPECT_THAT(result.out, HasSubstr("\\u001b[2J"));
}

} // namespace
