// Property-list documents and files: parse any form libplist reads (XML, binary) into a Value,
// write a Value as XML, and read or atomically replace property-list files.
//   auto settings = dictionaryWithContentsOfFile(devicePath("/var/mobile/.../x.plist"));
//   writePropertyListAtomically(Value(std::move(dictionary)), path, &error);
#pragma once

#include "platform/foundation/value.hpp"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace foundation {

// The value of a property-list document; nullopt with *error set when the bytes are not one,
// or hold something a Value cannot carry exactly (a keyed-archive UID, a date that libplist
// cannot report). Integers above INT64_MAX come back as reals.
std::optional<Value> parsePropertyList(std::string_view bytes, std::string* error = nullptr);

// The value of a property-list file; the one-line error names the file and what is wrong.
std::optional<Value> readPropertyListFile(const std::filesystem::path& path,
                                          std::string* error = nullptr);

// The root dictionary of a property-list file; nullopt also when the root is another kind.
std::optional<Dictionary> dictionaryWithContentsOfFile(const std::filesystem::path& path,
                                                       std::string* error = nullptr);

// The XML form of a value, keys in sorted order. Throws std::invalid_argument for a value that
// no property list can hold: a null, a string or key with a NUL, invalid UTF-8 or a control
// character that XML forbids, a date outside 1932-12-13 .. 2069-01-19 (what libplist can hold).
std::string xmlPropertyList(const Value& value);

// Writes the XML form of value over path atomically (see writeFileAtomically): readers see
// the old document or the new one, and a failure leaves the old file untouched.
bool writePropertyListAtomically(const Value& value, const std::filesystem::path& path,
                                 std::string* error = nullptr);

} // namespace foundation
