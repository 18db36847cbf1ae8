#include "fuzz/fuzz_support.hpp"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace tintbox::fuzz {

std::filesystem::path scratchFile(std::string_view name, std::string_view bytes) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("tintbox-fuzz-" + std::to_string(::getpid()) + "-" + std::string(name));
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::vector<std::string> fields(const std::uint8_t* data, std::size_t size, std::size_t count,
                                char separator) {
    std::vector<std::string> parts(count);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::size_t at = 0;
    for (std::size_t i = 0; i < count && at <= text.size(); ++i) {
        const std::size_t end = i + 1 == count ? text.size() : text.find(separator, at);
        parts[i] =
            std::string(text.substr(at, end == std::string_view::npos ? text.npos : end - at));
        if (end == std::string_view::npos)
            break;
        at = end + 1;
    }
    return parts;
}

void fault(const std::string& what) {
    std::fprintf(stderr, "fuzz fault: %s\n", what.c_str());
    std::abort();
}

} // namespace tintbox::fuzz
