// Percent escapes of text for URLs, as the platform's stringByAddingPercentEscapesUsingEncoding:
// with UTF-8 makes them: every byte of a character that may not stand in a URL (blanks,
// controls, "#%<>\"[\\]^`{|}" and everything beyond ASCII) becomes %XX in upper-case hex; the
// characters a URL may hold (letters, digits, -_.~!*'();:@&=+$,/?) stay as they are. "#" is
// escaped: left alone, a URL parser would read all that follows it as a fragment.
//   stringByAddingPercentEscapes("<a1@example.org>") == "%3Ca1@example.org%3E"
#pragma once

#include <string>
#include <string_view>

namespace foundation {

std::string stringByAddingPercentEscapes(std::string_view utf8);

} // namespace foundation
