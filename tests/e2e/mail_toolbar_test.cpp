// The message list's toolbar end to end: `tintbox mail list --source`, the quick filter bar
// tapped by `tintbox mail quick-filter`, and `tintbox mail mark-move`, whose moves an independent
// Maildir reader (mblaze's mlist) then sees once, with the seen flag.
#include "platform/foundation/property_list.hpp"
#include "tests/e2e/sample_device_test.hpp"
#include "tests/support/process.hpp"
#include "tests/support/temporary_folder.hpp"

#include <cstdlib>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {

using namespace tintbox::testing;
using nlohmann::json;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

constexpr const char* kWorkMaildir = "private/var/mobile/Library/Mail/Work";

// The Maildir flags of each message file of a folder, by unique name.
std::map<std::string, std::string> flagsIn(const fs::path& folder) {
    std::map<std::string, std::string> flags;
    for (const char* sub : {"cur", "new"}) {
        std::error_code error;
        for (fs::directory_iterator it(folder / sub, error), end; !error && it != end;
             it.increment(error)) {
            const std::string name = it->path().filename().string();
            const auto info = name.find(":2,");
            flags[name.substr(0, info)] = info == std::string::npos ? "" : name.substr(info + 3);
        }
    }
    return flags;
}

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (!folder.empty() && fs::exists(fs::path(folder) / program))
            return true;
    return false;
}

class MailToolbarCommands : public SampleDeviceTest {
protected:
    json jsonOf(const std::vector<std::string>& arguments) const {
        const auto result = tintbox(arguments);
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        return result.exitStatus == 0 ? json::parse(result.out) : json::object();
    }

    void turnOff(const std::string& key) const { changeSettings(key, foundation::Value(false)); }

    fs::path work() const { return root / kWorkMaildir; }
};

// How many listed rows of each kind the Work inbox has on disk.
struct Counts {
    std::size_t all{0}, unread{0}, flagged{0};
};
Counts countsOf(const std::map<std::string, std::string>& flags) {
    Counts counts;
    for (const auto& [name, letters] : flags) {
        ++counts.all;
        counts.unread += letters.find('S') == std::string::npos ? 1 : 0;
        counts.flagged += letters.find('F') != std::string::npos ? 1 : 0;
    }
    return counts;
}

TEST_F(MailToolbarCommands, ListSourceShowsOnlyUnreadOrFlaggedMessages) {
    const Counts counts = countsOf(flagsIn(work()));
    ASSERT_GT(counts.unread, 0u);
    ASSERT_GT(counts.flagged, 0u);
    const std::vector<std::string> base{"mail", "list", "--account", "Work", "--json"};
    const auto rowsFor = [&](const char* source) {
        auto arguments = base;
        arguments.insert(arguments.end(), {"--source", source});
        return jsonOf(arguments)["rows"].size();
    };
    EXPECT_EQ(rowsFor("all"), counts.all);
    EXPECT_EQ(rowsFor("unread"), counts.unread);
    EXPECT_EQ(rowsFor("flagged"), counts.flagged);

    const auto bad = tintbox({"mail", "list", "--source", "starred"});
    EXPECT_EQ(bad.exitStatus, 2);
    EXPECT_THAT(bad.err, HasSubstr("--source 'starred' is not all, unread or flagged"));
    EXPECT_EQ(std::count(bad.err.begin(), bad.err.end(), '\n'), 1) << bad.err;
}

TEST_F(MailToolbarCommands, BadArgumentsAreOneLineErrorsAndChangeNothing) {
    const auto before = flagsIn(work());
    const std::vector<std::vector<std::string>> bad{
        {"mail", "quick-filter"},
        {"mail", "quick-filter", "--segment", "starred"},
        {"mail", "quick-filter", "--segment", "all", "--mailbox", "INBOX"},
        {"mail", "mark-move", "--account", "Work", "--to", "Projects"},
        {"mail", "mark-move", "--account", "Work", "--select", "abc"},
        {"mail", "mark-move", "--account", "Work", "--select", "no-such-id", "--to", "Projects"},
        {"mail", "mark-move", "--account", "Work", "--select", "x", "--to", "Nowhere"},
        {"mail", "mark-move", "--account", "Work", "--select", "x", "--to", "INBOX"},
    };
    for (const auto& arguments : bad) {
        const auto result = tintbox(arguments);
        EXPECT_EQ(result.exitStatus, 2) << arguments.back();
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    EXPECT_EQ(flagsIn(work()), before);
    const auto help = tintbox({"mail", "--help"});
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_THAT(help.out, HasSubstr("quick-filter --segment"));
    EXPECT_THAT(help.out, HasSubstr("mark-move --account"));
}

TEST_F(MailToolbarCommands, QuickFilterTapsTheSegmentAndListsWhatItLeaves) {
    const Counts counts = countsOf(flagsIn(work()));
    struct Case {
        const char* segment;
        long sourceType;
        std::size_t rows;
    };
    for (const auto& [segment, type, rows] :
         {Case{"unread", 3, counts.unread}, Case{"flagged", 2, counts.flagged},
          Case{"all", 0, counts.all}}) {
        SCOPED_TRACE(segment);
        const json list =
            jsonOf({"mail", "quick-filter", "--segment", segment, "--account", "Work", "--json"});
        EXPECT_EQ(list.value("segment", ""), segment);
        EXPECT_EQ(list.value("sourceType", -1L), type);
        EXPECT_EQ(list["rows"].size(), rows);
    }
    const auto picture = root / "filtered.png";
    const auto shown =
        tintbox({"mail", "quick-filter", "--segment", "unread", "--png", picture.string()});
    EXPECT_EQ(shown.exitStatus, 0) << shown.err;
    EXPECT_TRUE(fs::exists(picture));
}

TEST_F(MailToolbarCommands, QuickFilterWithoutTheBarSaysWhy) {
    turnOff("enableUnreadAndFlagged");
    const auto result = tintbox({"mail", "quick-filter", "--segment", "unread"});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_THAT(result.err, HasSubstr("no quick filter bar"));
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
}

TEST_F(MailToolbarCommands, MarkMoveMarksReadAndMovesAndAMaildirReaderSeesEachOnce) {
    const json unread =
        jsonOf({"mail", "list", "--account", "Work", "--source", "unread", "--json"});
    ASSERT_GE(unread["rows"].size(), 2u);
    const std::string first = unread["rows"][0]["message"];
    const std::string second = unread["rows"][1]["message"];
    const auto inboxBefore = flagsIn(work());
    const auto projectsBefore = flagsIn(work() / ".Projects");

    const auto result = tintbox({"mail", "mark-move", "--account", "Work", "--select", first,
                                 "--select", second, "--to", "Projects", "--json"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const json moves = json::parse(result.out)["moves"];
    ASSERT_EQ(moves.size(), 2u);
    for (const auto& move : moves) {
        EXPECT_TRUE(move["moved"].get<bool>()) << move.dump();
        EXPECT_TRUE(move["read"].get<bool>()) << move.dump();
        EXPECT_EQ(move["to"], "Projects");
    }

    // Two names left the inbox and arrived in Projects with S added; nothing else changed.
    const auto inboxAfter = flagsIn(work());
    const auto projectsAfter = flagsIn(work() / ".Projects");
    EXPECT_EQ(inboxAfter.size(), inboxBefore.size() - 2);
    EXPECT_EQ(projectsAfter.size(), projectsBefore.size() + 2);
    std::vector<std::string> moved;
    for (const auto& [name, flags] : projectsAfter)
        if (!projectsBefore.contains(name)) {
            moved.push_back(name);
            ASSERT_TRUE(inboxBefore.contains(name));
            EXPECT_FALSE(inboxAfter.contains(name));
            EXPECT_NE(flags.find('S'), std::string::npos) << name;
        }
    ASSERT_EQ(moved.size(), 2u);

    if (!onPath("mlist"))
        GTEST_SKIP() << "mblaze's mlist is not installed (scripts/setup installs it)";
    const auto everything = runProcess({"mlist", work().string(), (work() / ".Projects").string()});
    const auto seen = runProcess({"mlist", "-S", (work() / ".Projects").string()});
    const auto unseen = runProcess({"mlist", "-s", (work() / ".Projects").string()});
    ASSERT_EQ(everything.exitStatus, 0) << everything.err;
    for (const auto& name : moved) {
        const auto count = [&](const std::string& text) {
            std::size_t found = 0;
            for (auto at = text.find(name); at != std::string::npos; at = text.find(name, at + 1))
                ++found;
            return found;
        };
        EXPECT_EQ(count(everything.out), 1u) << name << " listed once across both mailboxes";
        EXPECT_EQ(count(seen.out), 1u) << name << " is seen";
        EXPECT_EQ(count(unseen.out), 0u) << name;
    }
}

TEST_F(MailToolbarCommands, MarkMoveWithoutTheLongPressFailsAndChangesNothing) {
    const json unread =
        jsonOf({"mail", "list", "--account", "Work", "--source", "unread", "--json"});
    ASSERT_FALSE(unread["rows"].empty());
    turnOff("enableMarkAsReadAndMove");
    const auto before = flagsIn(work());
    const auto result = tintbox({"mail", "mark-move", "--account", "Work", "--select",
                                 unread["rows"][0]["message"], "--to", "Projects"});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_THAT(result.err, HasSubstr("nothing was changed"));
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_EQ(flagsIn(work()), before);
}

} // namespace
