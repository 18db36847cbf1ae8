// A message list kept open with --watch shows mail that arrives, leaves or changes its flags
// in the listed Maildir, without any settings change.
#include "tests/e2e/sample_device_test.hpp"
#include "tests/e2e/watched_mail_list.hpp"

#include <gtest/gtest.h>

namespace tintbox::testing {
namespace {

namespace fs = std::filesystem;

class MailWatch : public SampleDeviceTest {
protected:
    fs::path inbox() const { return root / "private/var/mobile/Library/Mail/Work"; }

    static bool listsSubject(const nlohmann::json& drawing, const std::string& subject) {
        return rowOf(drawing, subject) != nullptr;
    }
    static const nlohmann::json* rowOf(const nlohmann::json& drawing, const std::string& subject) {
        for (const auto& row : drawing["rows"])
            if (row["subject"] == subject)
                return &row;
        return nullptr;
    }
};

TEST_F(MailWatch, NewRemovedAndReflaggedMailIsRedrawn) {
    WatchedMailList watched(root.path(), "Work", "INBOX");
    ASSERT_TRUE(watched.waitForDrawings(1));
    const std::size_t before = watched.drawings().back()["rows"].size();

    // A delivery: written in tmp/, then renamed into new/.
    writeFile(inbox() / "tmp" / "1765000000.watch.test",
              "From: Newcomer <new@example.org>\nSubject: Just arrived\n"
              "Date: Thu, 10 Dec 2026 12:00:00 +0000\n\nHello.\n");
    fs::rename(inbox() / "tmp" / "1765000000.watch.test",
               inbox() / "new" / "1765000000.watch.test");
    ASSERT_TRUE(watched.waitForDrawing([&](const nlohmann::json& drawing) {
        return drawing["rows"].size() == before + 1 && listsSubject(drawing, "Just arrived");
    }));

    // A flag change (another reader marked it flagged) shows in the row.
    fs::rename(inbox() / "new" / "1765000000.watch.test",
               inbox() / "cur" / "1765000000.watch.test:2,F");
    ASSERT_TRUE(watched.waitForDrawing([&](const nlohmann::json& drawing) {
        const nlohmann::json* row = rowOf(drawing, "Just arrived");
        return row && (*row)["cell"].dump(-1, ' ', false).find("\u2691") != std::string::npos;
    }));

    fs::remove(inbox() / "cur" / "1765000000.watch.test:2,F");
    ASSERT_TRUE(watched.waitForDrawing([&](const nlohmann::json& drawing) {
        return drawing["rows"].size() == before && !listsSubject(drawing, "Just arrived");
    }));
    EXPECT_EQ(watched.stop(), 0);
}

} // namespace
} // namespace tintbox::testing
