// `tintbox init` run as a user runs it: a fresh device root with the sample set, a second run
// that changes nothing and keeps the user's mail, accounts pointing at outside Maildirs, and
// bad arguments.
#include "platform/foundation/property_list.hpp"
#include "tests/support/process.hpp"
#include "tests/support/temporary_folder.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>

namespace {

using namespace tintbox::testing;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

ProcessResult tintbox(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), TINTBOX_EXECUTABLE);
    return runProcess(arguments, {{"TINTBOX_ROOT", nullptr}});
}

// Every file under folder (links not followed) with its contents, by path relative to folder.
std::map<std::string, std::string> snapshotOf(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file() && !entry.is_symlink())
            files[fs::relative(entry.path(), folder).string()] = fileContents(entry.path());
    return files;
}

std::vector<std::pair<std::string, std::string>> accountsIn(const fs::path& root) {
    const auto file =
        foundation::readPropertyListFile(root / "private/var/mobile/Library/Mail/Accounts.plist");
    std::vector<std::pair<std::string, std::string>> accounts;
    for (const auto& entry : *file->asArray())
        accounts.emplace_back(*entry.find("DisplayName")->asString(),
                              *entry.find("Maildir")->asString());
    return accounts;
}

const fs::path kMail = "private/var/mobile/Library/Mail";

TEST(InitCommand, SampleMakesTheDeviceLayout) {
    TemporaryFolder folder;
    const fs::path root = folder / "device";
    const auto result = tintbox({"init", "--root", root.string(), "--sample"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("sample mail: 31 messages copied"));

    EXPECT_EQ(fs::read_symlink(root / "var"), "private/var");
    EXPECT_TRUE(
        fs::is_regular_file(root / "var/mobile/Library/Preferences/net.quillward.tintbox.plist"));
    EXPECT_TRUE(fs::is_directory(root / "Library/PreferenceBundles"));
    for (const char* mailbox : {"Work", "Work/.Projects", "Home", "Home/.Receipts", "Local"})
        for (const char* sub : {"cur", "new", "tmp"})
            EXPECT_TRUE(fs::is_directory(root / kMail / mailbox / sub)) << mailbox << '/' << sub;
    EXPECT_THAT(
        accountsIn(root),
        ElementsAre(
            std::pair<std::string, std::string>{"Work", "var/mobile/Library/Mail/Work"},
            std::pair<std::string, std::string>{"Home", "var/mobile/Library/Mail/Home"},
            std::pair<std::string, std::string>{"On My iPhone", "var/mobile/Library/Mail/Local"}));

    const fs::path dylib = root / "Library/MobileSubstrate/DynamicLibraries/Tintbox.dylib";
    EXPECT_TRUE(fs::is_regular_file(dylib));
    const auto filter =
        foundation::dictionaryWithContentsOfFile(fs::path(dylib).replace_extension(".plist"));
    ASSERT_TRUE(filter);
    EXPECT_EQ(*foundation::find(*filter, "Filter")->find("Bundles"),
              foundation::Value(foundation::Array{"com.apple.mobilemail"}));
}

TEST(InitCommand, RunningAgainChangesNothingAndKeepsTheUsersMail) {
    TemporaryFolder folder;
    const fs::path root = folder / "device";
    ASSERT_EQ(tintbox({"init", "--root", root.string(), "--sample"}).exitStatus, 0);

    // The user reads and flags a sample message, and a new message arrives.
    const fs::path cur = root / kMail / "Work/cur";
    fs::path unread;
    for (const auto& entry : fs::directory_iterator(cur))
        if (entry.path().filename().string().ends_with(":2,"))
            unread = entry.path();
    ASSERT_FALSE(unread.empty());
    fs::rename(unread, unread.string() + "FS");
    writeFile(cur / "1796900000.M1P1.laptop:2,S", "From: me@example.com\nSubject: mine\n\nkeep\n");
    const auto before = snapshotOf(root);

    const auto again = tintbox({"init", "--root", root.string(), "--sample"});
    ASSERT_EQ(again.exitStatus, 0) << again.err;
    EXPECT_THAT(again.out, HasSubstr("0 messages copied, 31 already there"));
    EXPECT_EQ(snapshotOf(root), before);
}

TEST(InitCommand, AccountsPointAtOutsideMaildirsAndUpdateByName) {
    TemporaryFolder folder;
    const fs::path root = folder / "device";
    const fs::path maildir = folder / "Maildir";
    writeFile(maildir / "cur/1.a.host:2,S", "From: a@example.com\nSubject: hi\n\nhello\n");
    fs::create_directories(folder / "Other/new");

    auto result =
        tintbox({"init", "--root", root.string(), "--account", "Personal=" + maildir.string(),
                 "--local-account", "Notes=" + (folder / "Other").string()});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_THAT(
        accountsIn(root),
        ElementsAre(std::pair<std::string, std::string>{"Personal", maildir.string()},
                    std::pair<std::string, std::string>{"Notes", (folder / "Other").string()}));
    EXPECT_FALSE(fs::exists(root / kMail / "Personal")); // used in place, not copied

    result = tintbox({"init", "--root", root.string(), "--account", "Notes=" + maildir.string()});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_THAT(accountsIn(root),
                ElementsAre(std::pair<std::string, std::string>{"Personal", maildir.string()},
                            std::pair<std::string, std::string>{"Notes", maildir.string()}));
    EXPECT_TRUE(fs::exists(maildir / "cur/1.a.host:2,S"));
}

TEST(InitCommand, BadArgumentsAreOneLineErrors) {
    TemporaryFolder folder;
    const std::string root = (folder / "device").string();
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"init", "--root", root, "--account", "NoEquals"},
          {"init", "--root", root, "--account", "=/tmp"},
          {"init", "--root", root, "--local-account", "Name="},
          {"init", "--root", root, "--account", "X=" + (folder / "missing").string()},
          {"init", "--root", root, "--frobnicate"}}) {
        const auto result = tintbox(arguments);
        EXPECT_EQ(result.exitStatus, 2) << arguments.back();
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    EXPECT_FALSE(fs::exists(folder / "device/private/var/mobile/Library/Mail/Accounts.plist"));
}

TEST(InitCommand, RefusesARootWhoseVarIsNotTheLink) {
    TemporaryFolder folder;
    fs::create_directories(folder / "device/var");
    const auto result = tintbox({"init", "--root", (folder / "device").string()});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_THAT(result.err, HasSubstr("not a link to private/var"));
}

} // namespace
