// Test helper: a non-blocking pipe whose two ends close themselves.
#pragma once

#include "platform/foundation/file_descriptor.hpp"

#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unistd.h>

namespace dispatch::testing {

struct Pipe {
    Pipe() {
        int fds[2] = {-1, -1};
        if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0)
            throw std::runtime_error("pipe2 failed");
        readEnd.reset(fds[0]);
        writeEnd.reset(fds[1]);
    }
    void write(std::string_view text) const {
        if (::write(writeEnd.get(), text.data(), text.size()) != static_cast<ssize_t>(text.size()))
            throw std::runtime_error("pipe write failed");
    }
    // Everything readable now; empty at end of file or when nothing is waiting.
    std::string drain() const {
        std::string text;
        char buffer[256];
        ssize_t count = 0;
        while ((count = ::read(readEnd.get(), buffer, sizeof buffer)) > 0)
            text.append(buffer, static_cast<std::size_t>(count));
        return text;
    }

    foundation::FileDescriptor readEnd;
    foundation::FileDescriptor writeEnd;
};

} // namespace dispatch::testing
