// A small Maildir for the store's tests: messages written into cur/ or new/ of a folder under
// a temporary root, each with a date so that the expected order is plain.
#pragma once

#include "tests/support/temporary_folder.hpp"

#include <filesystem>
#include <string>

namespace tintbox::testing {

inline std::string sampleMessage(const std::string& subject, int day,
                                 const std::string& extraHeaders = {}) {
    return "From: Ada <ada@example.org>\nTo: bob@example.net\nSubject: " + subject +
           "\nDate: " + std::to_string(day) + " Nov 2026 10:00:00 +0000\nMessage-ID: <" + subject +
           "@example.org>\n" + extraHeaders + "\n" + subject + " text\n";
}

// Writes a message file folder/sub/name and returns its path.
inline std::filesystem::path deliver(const std::filesystem::path& folder, const std::string& sub,
                                     const std::string& name, const std::string& bytes) {
    const auto path = folder / sub / name;
    writeFile(path, bytes);
    return path;
}

} // namespace tintbox::testing
