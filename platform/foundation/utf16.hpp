// UTF-16 views of UTF-8 strings: the platform measures and cuts strings in UTF-16 code units,
// our strings are UTF-8. Invalid UTF-8 counts one unit per ill-formed sequence (it would read
// as U+FFFD) and is never read past the end.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace foundation {

// The number of UTF-16 code units of the text (the platform's `length`).
std::size_t utf16Length(std::string_view utf8);

// The longest prefix of whole characters that takes at most `units` UTF-16 code units; a
// character that needs a surrogate pair is never split: the cut falls before it.
std::string utf16Prefix(std::string_view utf8, std::size_t units);

} // namespace foundation
