#include "platform/corefoundation/notification_name.hpp"

namespace corefoundation {

bool isValidNotificationName(std::string_view name) {
    constexpr std::size_t kLongestFileName = 255;
    return !name.empty() && name.size() <= kLongestFileName && name != "." && name != ".." &&
           name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

} // namespace corefoundation
