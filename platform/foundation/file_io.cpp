#include "platform/foundation/file_io.hpp"

#include "platform/foundation/file_descriptor.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace foundation {
namespace {

std::string describeErrno(int code) {
    return std::generic_category().message(code);
}

bool fail(std::string* error, const std::filesystem::path& path, const std::string& what) {
    if (error)
        *error = path.string() + ": " + what;
    return false;
}

// The temporary file of an atomic write; removed unless the rename over the target succeeded.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : m_path(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!m_committed)
            ::unlink(m_path.c_str());
    }

    const std::string& path() const { return m_path; }
    void commit() { m_committed = true; }

private:
    std::string m_path;
    bool m_committed{false};
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

mode_t modeForReplacement(const std::filesystem::path& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        return existing.st_mode & 07777;
    return 0644;
}

} // namespace

std::optional<std::string> readWholeFile(const std::filesystem::path& path, std::string* error,
                                         std::uint64_t maximumBytes) {
    // O_NONBLOCK keeps a FIFO planted at the path from blocking the open.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.valid()) {
        const int code = errno;
        fail(error, path,
             code == ENOENT ? "no such file" : "cannot open (" + describeErrno(code) + ")");
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        fail(error, path, "cannot read (" + describeErrno(errno) + ")");
        return std::nullopt;
    }
    if (S_ISDIR(info.st_mode)) {
        fail(error, path, "is a folder, not a file");
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        fail(error, path, "not a regular file");
        return std::nullopt;
    }
    auto tooLarge = [&](std::uint64_t size) {
        fail(error, path,
             std::to_string(size) + " bytes, far larger than such a file can be (at most " +
                 std::to_string(maximumBytes) + " bytes are read)");
        return std::nullopt;
    };
    if (static_cast<std::uint64_t>(info.st_size) > maximumBytes)
        return tooLarge(static_cast<std::uint64_t>(info.st_size));
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        if (bytes.size() > maximumBytes) // it grew while being read
            return tooLarge(bytes.size());
        const ssize_t count = ::read(file.get(), buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            fail(error, path, "cannot read (" + describeErrno(errno) + ")");
            return std::nullopt;
        }
        if (count == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    return bytes;
}

bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                         std::string* error) {
    if (!target.has_filename())
        return fail(error, target, "not a file name");
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");

    // Appended piece by piece: GCC 12 misreads `"." + name + ...` as an overlapping copy.
    std::string name = ".";
    name += target.filename().string();
    name += ".XXXXXX";
    std::string pattern = (folder / name).string();
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        const int code = errno;
        return fail(error, target,
                    "cannot create a temporary file in " + folder.string() + " (" +
                        describeErrno(code) + ")");
    }
    FileDescriptor file(fd);
    TemporaryFile temporary(pattern);

    if (::fchmod(file.get(), modeForReplacement(target)) != 0 || !writeAll(file.get(), bytes) ||
        ::fsync(file.get()) != 0)
        return fail(error, target, "cannot write (" + describeErrno(errno) + ")");
    if (const int code = file.closeChecked(); code != 0)
        return fail(error, target, "cannot write (" + describeErrno(code) + ")");
    if (::rename(temporary.path().c_str(), target.c_str()) != 0)
        return fail(error, target, "cannot replace (" + describeErrno(errno) + ")");
    temporary.commit();

    // The new content is in place; syncing the folder makes the rename itself durable. A
    // failure here cannot be undone and changes nothing a reader sees, so it is not reported.
    FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.valid())
        ::fsync(directory.get());
    return true;
}

} // namespace foundation
