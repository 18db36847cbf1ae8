// The shared settings-file update: concurrent writers lose nothing, a killed writer leaves the
// old file or the new one (and its temporary file is cleaned up by the next writer), a failed
// write says so, and an unreadable file is never replaced silently.
#include "platform/foundation/dictionary_file_update.hpp"
#include "platform/foundation/property_list.hpp"
#include "tests/platform/foundation/test_support.hpp"

#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <random>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace foundation {
namespace {

using testing::TemporaryFolder;

std::int64_t integerAt(const Dictionary& dictionary, const std::string& key) {
    const Value* value = find(dictionary, key);
    return value && value->asInteger() ? *value->asInteger() : -1;
}

bool increment(Dictionary& d, const std::string& key) {
    const Value* value = find(d, key);
    d[key] = Value((value && value->asInteger() ? *value->asInteger() : 0) + 1);
    return true;
}

int waitFor(pid_t child) {
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

class DictionaryFileUpdateTest : public ::testing::Test {
protected:
    std::size_t temporaryFiles() const {
        std::size_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with(".settings.plist.") && name != ".settings.plist.lock")
                ++count;
        }
        return count;
    }

    TemporaryFolder folder;
    std::filesystem::path path{folder / "settings.plist"};
};

TEST_F(DictionaryFileUpdateTest, AMissingFileIsCreatedHoldingJustTheChange) {
    const auto update = updateDictionaryFile(path, [](Dictionary& d) {
        d["Work"] = "#2E7D32";
        return true;
    });
    EXPECT_TRUE(update.wrote) << update.error;
    EXPECT_TRUE(update.notice.empty());
    EXPECT_EQ(dictionaryWithContentsOfFile(path), (Dictionary{{"Work", "#2E7D32"}}));
}

TEST_F(DictionaryFileUpdateTest, AnUnreadableFileIsKeptAsideAndTheUserToldOnce) {
    const std::string garbage = "bplist00 not really";
    testing::writeFile(path, garbage);
    const auto first = updateDictionaryFile(path, [](Dictionary& d) { return increment(d, "n"); });
    EXPECT_TRUE(first.wrote) << first.error;
    const auto backup = path.string() + ".unreadable";
    EXPECT_NE(first.notice.find(backup), std::string::npos) << first.notice;
    EXPECT_EQ(first.notice.find('\n'), std::string::npos);
    EXPECT_EQ(testing::fileContents(backup), garbage);
    EXPECT_EQ(integerAt(*dictionaryWithContentsOfFile(path), "n"), 1);

    const auto second = updateDictionaryFile(path, [](Dictionary& d) { return increment(d, "n"); });
    EXPECT_TRUE(second.notice.empty());
    EXPECT_EQ(integerAt(*dictionaryWithContentsOfFile(path), "n"), 2);

    // A later unreadable file gets a backup of its own; the first one stays.
    testing::writeFile(path, "also garbage");
    const auto third = updateDictionaryFile(path, [](Dictionary& d) { return increment(d, "n"); });
    EXPECT_NE(third.notice.find(backup + "-2"), std::string::npos) << third.notice;
    EXPECT_EQ(testing::fileContents(backup), garbage);
}

TEST_F(DictionaryFileUpdateTest, NoChangeWritesNothing) {
    testing::writeFile(path, "garbage");
    const auto update = updateDictionaryFile(path, [](Dictionary&) { return false; });
    EXPECT_FALSE(update.wrote);
    EXPECT_TRUE(update.error.empty());
    EXPECT_EQ(testing::fileContents(path), "garbage");
    EXPECT_FALSE(std::filesystem::exists(path.string() + ".unreadable"));
}

TEST_F(DictionaryFileUpdateTest, AFailedWriteIsAnErrorNamingTheFileAndTheOldFileStays) {
    ASSERT_TRUE(writePropertyListAtomically(Dictionary{{"enabled", true}}, path));
    const std::string before = testing::fileContents(path);
    const pid_t child = ::fork();
    if (child == 0) {
        // No file may grow past a few bytes: every write of the new content fails.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16, 16};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const auto update = updateDictionaryFile(path, [](Dictionary& d) {
            d["enabled"] = false;
            return true;
        });
        const bool named = update.error.find(path.string()) != std::string::npos &&
                           update.error.find("File too large") != std::string::npos;
        ::_exit(!update.wrote && named ? 0 : 1);
    }
    const int status = waitFor(child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(testing::fileContents(path), before);
    EXPECT_EQ(temporaryFiles(), 0u);
}

TEST_F(DictionaryFileUpdateTest, ConcurrentWritersLoseNoUpdate) {
    constexpr int kWriters = 4;
    constexpr int kUpdates = 40;
    std::vector<pid_t> children;
    for (int writer = 0; writer < kWriters; ++writer) {
        const pid_t child = ::fork();
        if (child == 0) {
            bool ok = true;
            for (int i = 0; i < kUpdates; ++i) {
                const auto update = updateDictionaryFile(path, [&](Dictionary& d) {
                    increment(d, "shared");
                    return increment(d, "writer" + std::to_string(writer));
                });
                ok = ok && update.wrote;
            }
            ::_exit(ok ? 0 : 1);
        }
        children.push_back(child);
    }
    for (const pid_t child : children)
        EXPECT_EQ(waitFor(child), 0);
    const auto settings = dictionaryWithContentsOfFile(path);
    ASSERT_TRUE(settings);
    EXPECT_EQ(integerAt(*settings, "shared"), kWriters * kUpdates);
    for (int writer = 0; writer < kWriters; ++writer)
        EXPECT_EQ(integerAt(*settings, "writer" + std::to_string(writer)), kUpdates);
}

TEST_F(DictionaryFileUpdateTest, ReadersDoNotWaitForAWriter) {
    ASSERT_TRUE(writePropertyListAtomically(Dictionary{{"enabled", true}}, path));
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        const int lock = ::open(lockFileOf(path).c_str(), O_RDWR | O_CREAT, 0644);
        ::flock(lock, LOCK_EX);
        ::write(ready[1], "x", 1);
        ::pause();
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    // With the writers' lock held elsewhere, a reader still gets the file at once.
    EXPECT_EQ(dictionaryWithContentsOfFile(path), (Dictionary{{"enabled", true}}));
    ::kill(holder, SIGKILL);
    waitFor(holder);
    ::close(ready[0]);
    ::close(ready[1]);
}

// A writer killed at random moments: the file always reads as one whole version, and the next
// write removes the temporary files the killed writers left.
TEST_F(DictionaryFileUpdateTest, AKilledWriterLeavesOldOrNewAndNoTemporaryFiles) {
    constexpr int kKills = 25;
    // Large enough that a write takes several system calls.
    auto version = [](std::int64_t n) {
        Dictionary d{{"version", Value(n)}};
        Array filler;
        for (int i = 0; i < 2000; ++i)
            filler.push_back(Value("entry " + std::to_string(n) + "/" + std::to_string(i)));
        d["filler"] = std::move(filler);
        return d;
    };
    ASSERT_TRUE(writePropertyListAtomically(Value(version(0)), path));
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> delay(0, 20000);
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t writer = ::fork();
        if (writer == 0) {
            for (;;)
                updateDictionaryFile(path, [&](Dictionary& d) {
                    d = version(integerAt(d, "version") + 1);
                    return true;
                });
        }
        ::usleep(static_cast<useconds_t>(5000 + delay(random)));
        ::kill(writer, SIGKILL);
        waitFor(writer);
        std::string error;
        const auto settings = dictionaryWithContentsOfFile(path, &error);
        ASSERT_TRUE(settings) << "after kill " << kill << ": " << error;
        const std::int64_t n = integerAt(*settings, "version");
        EXPECT_EQ(*settings, version(n)) << "after kill " << kill;
    }
    const auto last = updateDictionaryFile(path, [](Dictionary& d) { return increment(d, "x"); });
    EXPECT_TRUE(last.wrote) << last.error;
    EXPECT_EQ(temporaryFiles(), 0u);
}

} // namespace
} // namespace foundation
