#include "platform/foundation/dictionary_file_update.hpp"

#include "platform/foundation/file_descriptor.hpp"
#include "platform/foundation/file_io.hpp"
#include "platform/foundation/property_list.hpp"

#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>

namespace foundation {
namespace {

constexpr int kBackupAttempts = 100;

std::string describeErrno(int code) {
    return std::generic_category().message(code);
}

// The name writeFileAtomically gives its temporary files: "." + name + "." + six characters.
bool isTemporaryOf(const std::string& candidate, const std::string& name) {
    const std::string prefix = "." + name + ".";
    if (candidate.size() != prefix.size() + 6 || !candidate.starts_with(prefix))
        return false;
    for (std::size_t i = prefix.size(); i < candidate.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(candidate[i]);
        if (!std::isalnum(c))
            return false;
    }
    return true;
}

// Only called with the lock held: every writer of the file holds it across its temporary
// file's life, so any temporary file seen now belongs to a writer that was stopped.
void removeStaleTemporaries(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    std::error_code ignored;
    for (std::filesystem::directory_iterator entry(path.parent_path(), ignored), end;
         !ignored && entry != end; entry.increment(ignored)) {
        const std::string candidate = entry->path().filename().string();
        if (isTemporaryOf(candidate, name) && entry->is_regular_file(ignored))
            std::filesystem::remove(entry->path(), ignored);
    }
}

class WriterLock {
public:
    explicit WriterLock(const std::filesystem::path& lockFile) {
        m_file = FileDescriptor(::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
        if (!m_file.valid())
            m_file = FileDescriptor(::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC));
        if (!m_file.valid()) {
            m_error =
                lockFile.string() + ": cannot open the lock file (" + describeErrno(errno) + ")";
            return;
        }
        while (::flock(m_file.get(), LOCK_EX) != 0) {
            if (errno != EINTR) {
                m_error = lockFile.string() + ": cannot lock (" + describeErrno(errno) + ")";
                return;
            }
        }
        m_held = true;
    }
    WriterLock(const WriterLock&) = delete;
    WriterLock& operator=(const WriterLock&) = delete;
    // Closing the descriptor releases the lock.

    bool held() const { return m_held; }
    const std::string& error() const { return m_error; }

private:
    FileDescriptor m_file;
    bool m_held{false};
    std::string m_error;
};

// Keeps the unreadable file's bytes under a free backup name: a hard link when the file system
// allows one (any size, no copy), else a copy.
bool keepUnreadable(const std::filesystem::path& path, std::filesystem::path& backup,
                    std::string& why) {
    backup = unreadableBackupOf(path);
    if (::link(path.c_str(), backup.c_str()) == 0)
        return true;
    const int linkError = errno;
    const auto bytes = readWholeFile(path, &why, kMaximumPropertyListFileBytes);
    if (!bytes) {
        why = describeErrno(linkError);
        return false;
    }
    return writeFileAtomically(backup, *bytes, &why);
}

} // namespace

std::filesystem::path lockFileOf(const std::filesystem::path& path) {
    // Appended rather than prefixed: GCC 12 cannot see through the insertion that prefixing a
    // literal to a temporary string makes, and warns of overlapping copies at -O3.
    std::string name = ".";
    name += path.filename().string();
    name += ".lock";
    return path.parent_path() / name;
}

std::filesystem::path unreadableBackupOf(const std::filesystem::path& path) {
    const std::string base = path.string() + ".unreadable";
    std::error_code ignored;
    for (int attempt = 0; attempt < kBackupAttempts; ++attempt) {
        std::filesystem::path candidate =
            attempt == 0 ? base : base + "-" + std::to_string(attempt + 1);
        if (!std::filesystem::exists(std::filesystem::symlink_status(candidate, ignored)))
            return candidate;
    }
    return base + "-" + std::to_string(::getpid());
}

DictionaryFileUpdate updateDictionaryFile(const std::filesystem::path& path,
                                          const std::function<bool(Dictionary&)>& change) {
    DictionaryFileUpdate update;
    std::error_code ignored;
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), ignored);
    const WriterLock lock(lockFileOf(path));
    if (lock.held())
        removeStaleTemporaries(path);

    std::string unreadable;
    const bool exists = std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
    if (exists) {
        if (auto dictionary = dictionaryWithContentsOfFile(path, &unreadable))
            update.contents = std::move(*dictionary);
    }
    if (!change(update.contents))
        return update;
    if (!lock.held()) {
        update.error = lock.error();
        return update;
    }
    if (exists && !unreadable.empty()) {
        std::filesystem::path backup;
        std::string why;
        if (!keepUnreadable(path, backup, why)) {
            update.error =
                unreadable + "; it could not be kept aside (" + why + "), so nothing was written";
            return update;
        }
        update.notice =
            unreadable + "; it was kept as " + backup.string() + " and a new file was written";
    }
    std::string error;
    update.wrote = writePropertyListAtomically(Value(update.contents), path, &error);
    if (!update.wrote)
        update.error = error;
    return update;
}

} // namespace foundation
