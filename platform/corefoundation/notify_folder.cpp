#include "platform/corefoundation/notify_folder.hpp"

#include "platform/foundation/device_path.hpp"
#include "platform/foundation/file_descriptor.hpp"

#include <charconv>
#include <fcntl.h>
#include <string>
#include <system_error>
#include <unistd.h>

namespace corefoundation {

std::filesystem::path notifyFolder() {
    return foundation::devicePath("/private/var/run/notify");
}

bool ensureNotifyFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return !error && std::filesystem::is_directory(folder, error);
}

bool touchNotificationFile(const std::filesystem::path& folder, std::string_view name) {
    const auto path = folder / std::string(name);
    const foundation::FileDescriptor file(
        ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (!file)
        return false;
    // The file counts the posts of its name, a trace for people looking at the folder; the
    // watchers only care that it was written and closed.
    char previous[32] = {};
    const auto length = ::pread(file.get(), previous, sizeof previous - 1, 0);
    unsigned long long count = 0;
    if (length > 0)
        std::from_chars(previous, previous + length, count);
    const auto text = std::to_string(count + 1) + "\n";
    return ::ftruncate(file.get(), 0) == 0 &&
           ::pwrite(file.get(), text.data(), text.size(), 0) == static_cast<ssize_t>(text.size());
}

} // namespace corefoundation
