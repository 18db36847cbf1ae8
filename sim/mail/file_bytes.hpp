// The whole contents of a file in one string, read with as few system calls as its size allows
// (a first listing reads every message file, where a stream iterator cost a call per byte).
//   std::string error;
//   if (auto read = readFileBytes(path, &error)) ... read->bytes.size() ... read->modified ...
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace tintbox::sim::mail {

struct FileBytes {
    std::string bytes;
    // The open file's size and modification time (nanoseconds since the epoch) as it was read,
    // so that whoever keeps what was read also knows which version of the file it was.
    std::int64_t size{0};
    std::int64_t modified{0};
};

// nullopt with *error set to "PATH: reason" when the file cannot be opened or read.
std::optional<FileBytes> readFileBytes(const std::filesystem::path& file,
                                       std::string* error = nullptr);

} // namespace tintbox::sim::mail
