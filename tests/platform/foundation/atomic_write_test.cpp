#include "platform/foundation/file_io.hpp"
#include "platform/foundation/property_list.hpp"
#include "tests/platform/foundation/test_support.hpp"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace foundation {
namespace {

using testing::fileContents;
using testing::TemporaryFolder;

// Lowers the file-size limit for one scope so that a write fails part-way (EFBIG), as a full
// disk would; the signal that the limit raises is ignored meanwhile.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_old;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int){nullptr};
};

class AtomicWrite : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(writePropertyListAtomically(Dictionary{{"enabled", true}}, target));
        oldContents = fileContents(target);
    }

    // The old document is still there, whole, and no temporary file was left beside it.
    void expectOldFileUntouched() {
        EXPECT_EQ(fileContents(target), oldContents);
        EXPECT_EQ(folder.entryCount(), 1u);
    }

    TemporaryFolder folder;
    std::filesystem::path target{folder / "net.quillward.tintbox.plist"};
    std::string oldContents;
};

TEST_F(AtomicWrite, ReplacesTheWholeFile) {
    std::string error;
    ASSERT_TRUE(writePropertyListAtomically(Dictionary{{"listAlphaLevel", 40}}, target, &error))
        << error;
    const auto dictionary = dictionaryWithContentsOfFile(target);
    ASSERT_TRUE(dictionary);
    EXPECT_EQ(Value(*dictionary), Value(Dictionary{{"listAlphaLevel", 40}}));
    EXPECT_EQ(folder.entryCount(), 1u);
}

TEST_F(AtomicWrite, KeepsPermissionBitsOfTheReplacedFile) {
    ::chmod(target.c_str(), 0600);
    ASSERT_TRUE(writePropertyListAtomically(Dictionary{}, target));
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);

    const auto fresh = folder / "fresh.plist";
    ASSERT_TRUE(writePropertyListAtomically(Dictionary{}, fresh));
    ASSERT_EQ(::stat(fresh.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
}

TEST_F(AtomicWrite, FailedWriteLeavesTheOldFile) {
    std::string error;
    {
        FileSizeLimit limit(16);
        EXPECT_FALSE(writePropertyListAtomically(Dictionary{{"enabled", false}}, target, &error));
    }
    EXPECT_NE(error.find(target.string()), std::string::npos) << error;
    expectOldFileUntouched();
}

TEST_F(AtomicWrite, RefusedValueLeavesTheOldFile) {
    std::string error;
    EXPECT_FALSE(writePropertyListAtomically(Dictionary{{"broken", Value()}}, target, &error));
    EXPECT_NE(error.find(target.string()), std::string::npos) << error;
    EXPECT_NE(error.find("null"), std::string::npos) << error;
    expectOldFileUntouched();
}

TEST_F(AtomicWrite, TargetThatIsAFolderIsLeftAlone) {
    const auto folderTarget = folder / "is-a-folder";
    std::filesystem::create_directory(folderTarget);
    testing::writeFile(folderTarget / "inside", "kept");
    std::string error;
    EXPECT_FALSE(writePropertyListAtomically(Dictionary{}, folderTarget, &error));
    EXPECT_NE(error.find(folderTarget.string()), std::string::npos) << error;
    EXPECT_EQ(fileContents(folderTarget / "inside"), "kept");
    EXPECT_EQ(folder.entryCount(), 2u);
}

TEST_F(AtomicWrite, MissingFolderIsAnError) {
    std::string error;
    EXPECT_FALSE(writeFileAtomically(folder / "no-such-folder" / "x.plist", "bytes", &error));
    EXPECT_NE(error.find("no-such-folder"), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
}

} // namespace
} // namespace foundation
