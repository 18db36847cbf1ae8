// Moving messages between Maildir folders: one rename on one file system, a journalled copy
// across file systems, and after a crash at any step the message is listed once (or twice until
// the next start settles it), never lost; the next start leaves exactly one copy and no leftovers.
#include "sim/mail/MailStore.hpp"
#include "sim/mail/maildir_move.hpp"
#include "tests/sim/mail/maildir_fixture.hpp"

#include <csignal>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace tintbox::sim::mail;
using namespace tintbox::testing;
namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// The files of a folder's tmp/ (where moves keep their journal and copy).
std::vector<std::string> tmpFiles(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder / "tmp", error), end; !error && it != end;
         it.increment(error))
        names.push_back(it->path().filename().string());
    return names;
}

std::size_t listedCopies(const fs::path& folder, const std::string& uniqueName) {
    std::size_t count = 0;
    for (const auto& file : listMaildirFiles(folder))
        count += file.uniqueName == uniqueName ? 1 : 0;
    return count;
}

// A folder on /dev/shm, a different file system from the temporary folder on most machines.
class SharedMemoryFolder {
public:
    SharedMemoryFolder() {
        std::string pattern = "/dev/shm/tintbox-test-XXXXXX";
        if (::mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~SharedMemoryFolder() {
        std::error_code ignored;
        if (!m_path.empty())
            fs::remove_all(m_path, ignored);
    }
    SharedMemoryFolder(const SharedMemoryFolder&) = delete;
    SharedMemoryFolder& operator=(const SharedMemoryFolder&) = delete;
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

bool sameFileSystem(const fs::path& a, const fs::path& b) {
    struct stat first {
    }, second{};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev;
}

class MaildirMove : public ::testing::Test {
protected:
    MaildirMove() {
        source = maildirFileAt(deliver(inbox(), "cur", "7.x.host:2,S", bytes), false);
        fs::create_directories(archive() / "cur");
    }

    fs::path inbox() const { return root.path(); }
    fs::path archive() const { return root.path() / ".Archive"; }

    TemporaryFolder root;
    const std::string bytes = sampleMessage("Move me", 2);
    MaildirFile source;
};

TEST_F(MaildirMove, OnOneFileSystemTheFileIsRenamedIntoCurKeepingNameAndFlags) {
    for (const bool forceCopy : {false, true}) {
        SCOPED_TRACE(forceCopy ? "copying path" : "rename path");
        std::string error;
        auto moved =
            moveMaildirFile(source, archive(), &error, {.forceCopy = forceCopy, .afterStep = {}});
        ASSERT_TRUE(moved) << error;
        EXPECT_EQ(moved->path, archive() / "cur" / "7.x.host:2,S");
        EXPECT_EQ(moved->uniqueName, source.uniqueName);
        EXPECT_EQ(moved->flags, "S");
        EXPECT_EQ(fileContents(moved->path), bytes);
        EXPECT_FALSE(fs::exists(source.path));
        EXPECT_THAT(tmpFiles(archive()), IsEmpty());
        // And back, for the other path.
        auto back = moveMaildirFile(*moved, inbox(), &error);
        ASSERT_TRUE(back) << error;
        source = *back;
    }
}

TEST_F(MaildirMove, AMessageFromNewLandsInCur) {
    const auto fresh = maildirFileAt(deliver(inbox(), "new", "8.y.host", bytes), true);
    std::string error;
    auto moved = moveMaildirFile(fresh, archive(), &error);
    ASSERT_TRUE(moved) << error;
    EXPECT_EQ(moved->path, archive() / "cur" / "8.y.host:2,");
    EXPECT_FALSE(moved->inNew);
}

TEST_F(MaildirMove, RefusalsChangeNothing) {
    deliver(archive(), "new", "7.x.host", "another message of the same name");
    struct Case {
        const char* name;
        fs::path target;
        const char* error;
    };
    for (const auto& [name, target, expected] :
         {Case{"same unique name in the target", archive(), "already holds"},
          Case{"same folder", inbox(), "already"}}) {
        SCOPED_TRACE(name);
        for (const bool forceCopy : {false, true}) {
            std::string error;
            EXPECT_FALSE(
                moveMaildirFile(source, target, &error, {.forceCopy = forceCopy, .afterStep = {}}));
            EXPECT_THAT(error, HasSubstr(expected));
            EXPECT_EQ(fileContents(source.path), bytes);
            EXPECT_EQ(listedCopies(archive(), "7.x.host"), 1u);
            EXPECT_THAT(tmpFiles(archive()), IsEmpty());
        }
    }
}

TEST_F(MaildirMove, RenamingNeverReplacesAnExistingFile) {
    const auto other = deliver(inbox(), "cur", "7.x.host:2,FS", "a different file");
    EXPECT_EQ(renameWithoutReplacing(source.path, other), EEXIST);
    EXPECT_EQ(fileContents(source.path), bytes);
    EXPECT_EQ(fileContents(other), "a different file");
    EXPECT_EQ(renameWithoutReplacing(source.path, inbox() / "cur" / "7.x.host:2,S-moved"), 0);
    EXPECT_FALSE(fs::exists(source.path));
}

TEST_F(MaildirMove, AcrossFileSystemsTheMessageIsCopiedSyncedAndTheSourceRemoved) {
    SharedMemoryFolder other;
    if (other.path().empty() || sameFileSystem(other.path(), root.path()))
        GTEST_SKIP() << "no second file system at /dev/shm";
    std::vector<MoveStep> steps;
    std::string error;
    auto moved = moveMaildirFile(
        source, other.path() / ".Elsewhere", &error,
        {.forceCopy = false, .afterStep = [&](MoveStep step) { steps.push_back(step); }});
    ASSERT_TRUE(moved) << error;
    EXPECT_EQ(steps.size(), 5u) << "the rename failed with EXDEV and the copy took every step";
    EXPECT_EQ(fileContents(moved->path), bytes);
    EXPECT_FALSE(fs::exists(source.path));
    EXPECT_THAT(tmpFiles(other.path() / ".Elsewhere"), IsEmpty());
}

// A child process moves the message and dies at one step; the parent then sees what a reader
// would, and what the next start leaves.
TEST_F(MaildirMove, ACrashAtAnyStepLosesNothingAndTheNextStartLeavesOneCopy) {
    struct Case {
        MoveStep killedAfter;
        std::size_t listedBeforeRecovery; // in both folders together
        bool tornCopy;                    // the crash came in the middle of writing the copy
    };
    for (const auto& [step, listed, torn] :
         {Case{MoveStep::JournalWritten, 1, false}, Case{MoveStep::JournalWritten, 1, true},
          Case{MoveStep::CopyWritten, 1, false}, Case{MoveStep::CopyPublished, 2, false},
          Case{MoveStep::SourceRemoved, 1, false}, Case{MoveStep::Finished, 1, false}}) {
        SCOPED_TRACE(static_cast<int>(step));
        SCOPED_TRACE(torn ? "torn copy" : "");
        TemporaryFolder crashRoot;
        const auto from = crashRoot.path() / ".From";
        const auto to = crashRoot.path() / ".To";
        const auto file = maildirFileAt(deliver(from, "cur", "9.z.host:2,FS", bytes), false);
        fs::create_directories(to / "cur");

        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            moveMaildirFile(file, to, nullptr,
                            {.forceCopy = true, .afterStep = [&](MoveStep reached) {
                                 if (reached != step)
                                     return;
                                 if (torn)
                                     writeFile(to / "tmp" / "9.z.host.move-copy",
                                               bytes.substr(0, 20));
                                 ::_exit(0);
                             }});
            ::_exit(1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child reached the step";

        EXPECT_EQ(listedCopies(from, "9.z.host") + listedCopies(to, "9.z.host"), listed);
        recoverInterruptedMoves({from, to});
        EXPECT_EQ(listedCopies(from, "9.z.host") + listedCopies(to, "9.z.host"), 1u);
        const bool published = step != MoveStep::JournalWritten && step != MoveStep::CopyWritten;
        const auto kept = published ? to / "cur" / "9.z.host:2,FS" : file.path;
        EXPECT_EQ(fileContents(kept), bytes);
        EXPECT_THAT(tmpFiles(to), IsEmpty());
        EXPECT_EQ(recoverInterruptedMoves({from, to}), 0) << "nothing left to settle";
    }
}

TEST_F(MaildirMove, AnAccountSettlesAnInterruptedMoveBeforeItsMailboxesAreRead) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        moveMaildirFile(source, archive(), nullptr,
                        {.forceCopy = true, .afterStep = [](MoveStep reached) {
                             if (reached == MoveStep::CopyPublished)
                                 ::_exit(0);
                         }});
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_EQ(listedCopies(inbox(), "7.x.host") + listedCopies(archive(), "7.x.host"), 2u);

    registerMailModelClasses();
    auto account = objc::make<MailAccount>();
    account->configure("Work", root.path());
    std::size_t listed = 0;
    for (const auto& mailbox : account->mailboxes())
        listed += mailbox->messages().size();
    EXPECT_EQ(listed, 1u);
    EXPECT_EQ(account->mailboxNamed("Archive")->messages().size(), 1u);
    EXPECT_THAT(tmpFiles(archive()), IsEmpty());
}

TEST_F(MaildirMove, RecoveryKeepsTheOnlyCopyWhenTheSourceVanishedBeforePublishing) {
    fs::create_directories(archive() / "tmp");
    writeFile(archive() / "tmp" / "7.x.host.move-journal",
              source.path.string() + "\n7.x.host:2,S\n");
    writeFile(archive() / "tmp" / "7.x.host.move-copy", bytes);
    fs::remove(source.path);
    EXPECT_EQ(recoverInterruptedMoves({inbox(), archive()}), 0);
    EXPECT_EQ(fileContents(archive() / "tmp" / "7.x.host.move-copy"), bytes);
}

// SIGKILL at random moments of a mover that keeps moving messages between two Maildirs, once on
// one file system and once by the journalled copy: after each kill and the next start's
// recovery, every message is in exactly one of the two folders, whole.
TEST(MaildirMoveUnderKills, EveryMessageExistsExactlyOnceAfterEachKill) {
    constexpr int kMessages = 6;
    constexpr int kKillsPerPath = 12;
    std::mt19937 random(99);
    std::uniform_int_distribution<int> delay(200, 6000);
    for (const bool copying : {false, true}) {
        SCOPED_TRACE(copying ? "journalled copy" : "rename");
        TemporaryFolder crashRoot;
        const auto left = crashRoot.path() / ".Left";
        const auto right = crashRoot.path() / ".Right";
        fs::create_directories(right / "cur");
        std::vector<std::string> names;
        for (int i = 0; i < kMessages; ++i) {
            names.push_back("10" + std::to_string(i) + ".k.host");
            deliver(left, "cur", names.back() + ":2,S",
                    sampleMessage("Message " + names.back(), 3));
        }
        for (int kill = 0; kill < kKillsPerPath; ++kill) {
            const pid_t mover = ::fork();
            ASSERT_GE(mover, 0);
            if (mover == 0) {
                for (;;)
                    for (const auto& [from, to] : {std::pair{left, right}, std::pair{right, left}})
                        for (const auto& file : listMaildirFiles(from))
                            moveMaildirFile(file, to, nullptr,
                                            {.forceCopy = copying, .afterStep = {}});
            }
            ::usleep(static_cast<useconds_t>(delay(random)));
            ::kill(mover, SIGKILL);
            ::waitpid(mover, nullptr, 0);
            recoverInterruptedMoves({left, right});
            for (const auto& name : names) {
                SCOPED_TRACE(name + " after kill " + std::to_string(kill));
                ASSERT_EQ(listedCopies(left, name) + listedCopies(right, name), 1u);
                for (const auto& folder : {left, right}) {
                    for (const auto& file : listMaildirFiles(folder)) {
                        if (file.uniqueName == name) {
                            EXPECT_EQ(fileContents(file.path), sampleMessage("Message " + name, 3));
                        }
                    }
                }
            }
        }
    }
}

} // namespace
