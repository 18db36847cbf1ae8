#include "platform/foundation/device_path.hpp"

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace foundation {
namespace {

std::filesystem::path environmentPath(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? std::filesystem::path(value) : std::filesystem::path();
}

// The path resolved lexically as the device would at its own "/": "." is dropped and ".." never
// climbs above the root, so no device path names a file outside the device root.
std::filesystem::path withinRoot(std::string_view relative) {
    std::vector<std::string_view> parts;
    while (!relative.empty()) {
        const auto slash = relative.find('/');
        const std::string_view part = relative.substr(0, slash);
        relative =
            slash == std::string_view::npos ? std::string_view() : relative.substr(slash + 1);
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    std::filesystem::path result;
    for (const auto part : parts)
        result /= part;
    return result;
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
    return deviceRoot() / withinRoot(relative);
}

} // namespace foundation
