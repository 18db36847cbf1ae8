// Checks that run on property-list bytes before libplist sees them. libplist recurses once per
// nesting level both when it reads and when it frees a tree, expands every shared object of a
// binary document again at each reference, and stops the process on a dictionary key holding a
// NUL character; these checks walk the document without recursion and refuse what would reach
// those weak spots.
//   if (auto problem = propertyListBoundsProblem(bytes)) return fail(*problem);
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace foundation {

// Deeper documents are refused rather than risk the stack (the root is depth 0).
inline constexpr int kMaximumPropertyListDepth = 512;
// Values a document may expand to (each reference to a shared binary object counts again).
inline constexpr std::size_t kMaximumPropertyListNodes = 250'000;
// String and data bytes a binary document may expand to.
inline constexpr std::size_t kMaximumPropertyListExpandedBytes = 64u << 20;

// Why bytes must not be handed to libplist (one phrase, such as "nested too deeply"), or
// nullopt when they are safe to parse. Bytes that start with the binary signature get a full
// structural check; anything else is scanned as XML for its nesting depth.
std::optional<std::string> propertyListBoundsProblem(std::string_view bytes);

// The seconds of a binary document whose root object is a date (as libplist writes one), or
// nullopt when the root is something else.
std::optional<double> binaryRootDate(std::string_view bytes);

// A binary document whose root is the date; what libplist needs to make a date node that its
// 32-bit date setter cannot.
std::string binaryDateDocument(double secondsSinceReferenceDate);

} // namespace foundation
