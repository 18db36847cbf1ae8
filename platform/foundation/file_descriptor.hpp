// An owned POSIX file descriptor, closed on destruction. closeChecked() closes early and
// reports the error, which matters after writing (a failed close can mean lost data).
#pragma once

#include <cerrno>
#include <unistd.h>
#include <utility>

namespace foundation {

class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other)
            reset(std::exchange(other.m_fd, -1));
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { reset(); }

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    explicit operator bool() const { return valid(); }

    // Closes the descriptor held (errors ignored) and takes fd.
    void reset(int fd = -1) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

    // Closes now; returns 0, or the errno of a failed close.
    int closeChecked() {
        if (m_fd < 0)
            return 0;
        const int result = ::close(std::exchange(m_fd, -1));
        return result == 0 ? 0 : errno;
    }

private:
    int m_fd{-1};
};

} // namespace foundation
