#include "platform/foundation/device_path.hpp"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace foundation {
namespace {

std::filesystem::path environmentPath(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? std::filesystem::path(value) : std::filesystem::path();
}

} // namespace

std::filesystem::path deviceRoot() {
    if (auto root = environmentPath("TINTBOX_ROOT"); !root.empty())
        return root;
    if (auto data = environmentPath("XDG_DATA_HOME"); !data.empty())
        return data / "tintbox" / "device";
    if (auto home = environmentPath("HOME"); !home.empty())
        return home / ".local" / "share" / "tintbox" / "device";
    return std::filesystem::current_path() / "tintbox-device";
}

std::filesystem::path devicePath(std::string_view platformPath) {
    if (platformPath.empty() || platformPath.front() != '/')
        throw std::invalid_argument("device path is not absolute: " + std::string(platformPath));
    std::string relative(platformPath.substr(1));
    if (relative == "var" || relative.starts_with("var/"))
        relative.insert(0, "private/");
    return deviceRoot() / relative;
}

} // namespace foundation
