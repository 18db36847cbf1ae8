// Whole-file reading and atomic whole-file replacement. A reader of a file that
// writeFileAtomically replaces sees the old bytes or the new ones, never a mixture, and a failed
// write leaves the old file as it was. Errors come back as one line naming the file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace foundation {

// The bytes of a regular file; nullopt with *error set when it is missing, unreadable, not a
// regular file or longer than maximumBytes (refused before anything is read, size named).
std::optional<std::string> readWholeFile(const std::filesystem::path& path,
                                         std::string* error = nullptr,
                                         std::uint64_t maximumBytes = UINT64_MAX);

// Writes bytes to a temporary file in the target's folder, syncs it, renames it over the target
// and syncs the folder. The target keeps its permission bits (new files get 0644). On failure
// the temporary file is removed and the target is untouched.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                         std::string* error = nullptr);

} // namespace foundation
