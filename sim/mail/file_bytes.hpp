// The whole contents of a file in one string, read with as few system calls as its size allows
// (a first listing reads every message file, where a stream iterator cost a call per byte).
//   std::string error;
//   if (auto bytes = readFileBytes(path, &error)) ... bytes->size() ...
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tintbox::sim::mail {

// nullopt with *error set to "PATH: reason" when the file cannot be opened or read.
std::optional<std::string> readFileBytes(const std::filesystem::path& file,
                                         std::string* error = nullptr);

} // namespace tintbox::sim::mail
