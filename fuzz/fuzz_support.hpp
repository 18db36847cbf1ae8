// Shared pieces of the fuzz targets: a scratch file for parsers that read from a path, and an
// input split into fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tintbox::fuzz {

// A file of this process in the system's temporary folder, rewritten with each input.
std::filesystem::path scratchFile(std::string_view name, std::string_view bytes);

// The input's fields at separator bytes; always `count` of them (missing ones empty, the last
// one takes the rest).
std::vector<std::string> fields(const std::uint8_t* data, std::size_t size, std::size_t count,
                                char separator = '\0');

// Stops the run with a message: libFuzzer records the input as a finding.
[[noreturn]] void fault(const std::string& what);

} // namespace tintbox::fuzz
