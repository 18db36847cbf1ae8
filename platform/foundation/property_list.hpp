// Property-list documents and files: parse any form libplist reads (XML, binary) into a Value,
// write a Value as XML, and read or atomically replace property-list files.
//   auto settings = dictionaryWithContentsOfFile(devicePath("/var/mobile/.../x.plist"));
//   writePropertyListAtomically(Value(std::move(dictionary)), path, &error);
#pragma once

#include "platform/foundation/value.hpp"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace foundation {

// The value of a property-list document; nullopt with *error set when the bytes are not one, or
// are nested, sized or shaped beyond what is read safely (see plist_bounds.hpp). Integers above
// INT64_MAX come back as reals; a dictionary whose only entry is an integer "CF$UID" (the XML
// form of a keyed-archive UID) comes back as a Uid.
std::optional<Value> parsePropertyList(std::string_view bytes, std::string* error = nullptr);

// Larger property-list files are refused unread: a settings file is a few kilobytes.
inline constexpr std::uint64_t kMaximumPropertyListFileBytes = 16u << 20;

// The value of a property-list file; the one-line error names the file and what is wrong.
std::optional<Value> readPropertyListFile(const std::filesystem::path& path,
                                          std::string* error = nullptr);

// The root dictionary of a property-list file; nullopt also when the root is another kind.
std::optional<Dictionary> dictionaryWithContentsOfFile(const std::filesystem::path& path,
                                                       std::string* error = nullptr);

// The XML form of a value, keys in sorted order. Throws std::invalid_argument for a value that
// no property list can hold: a null, a string or key with a NUL, invalid UTF-8 or a control
// character that XML forbids, a date outside the years 1 .. 9999. A Uid is written as its XML
// form, a dictionary holding "CF$UID".
std::string xmlPropertyList(const Value& value);

// Writes the XML form of value over path atomically (see writeFileAtomically): readers see
// the old document or the new one, and a failure leaves the old file untouched.
bool writePropertyListAtomically(const Value& value, const std::filesystem::path& path,
                                 std::string* error = nullptr);

} // namespace foundation
