// Which notification names the notify centre accepts. A name becomes a file name in the notify
// folder, so anything that could leave the folder or is no file name is refused.
#pragma once

#include <string_view>

namespace corefoundation {

// True for a non-empty name of at most 255 bytes without '/' or NUL that is not "." or "..".
bool isValidNotificationName(std::string_view name);

} // namespace corefoundation
