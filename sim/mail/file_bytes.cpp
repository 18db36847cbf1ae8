#include "sim/mail/file_bytes.hpp"

#include "platform/foundation/file_descriptor.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tintbox::sim::mail {

std::optional<FileBytes> readFileBytes(const std::filesystem::path& file, std::string* error) {
    const auto failed = [&]() -> std::optional<FileBytes> {
        if (error)
            *error = file.string() + ": " + std::strerror(errno);
        return std::nullopt;
    };
    const foundation::FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd)
        return failed();
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0)
        return failed();
    if (S_ISDIR(status.st_mode)) {
        errno = EISDIR;
        return failed();
    }
    // The size is a hint: the file may grow or shrink while it is read.
    std::string bytes;
    bytes.resize(status.st_size > 0 ? static_cast<std::size_t>(status.st_size) + 1 : 4096);
    std::size_t filled = 0;
    while (true) {
        if (filled == bytes.size())
            bytes.resize(bytes.size() * 2);
        const std::size_t wanted = bytes.size() - filled;
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, wanted);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return failed();
        }
        filled += static_cast<std::size_t>(got);
        // A regular file gives less than asked only at its end: no further call to learn it.
        if (got == 0 || (S_ISREG(status.st_mode) && static_cast<std::size_t>(got) < wanted))
            break;
    }
    bytes.resize(filled);
    return FileBytes{std::move(bytes), static_cast<std::int64_t>(status.st_size),
                     static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 +
                         status.st_mtim.tv_nsec};
}

} // namespace tintbox::sim::mail
