#include "platform/foundation/percent_escapes.hpp"

#include <gtest/gtest.h>

namespace foundation {
namespace {

struct EscapeCase {
    const char* text;
    const char* escaped;
};

TEST(PercentEscapes, CharactersNotAllowedInAURLAreEscapedAsUTF8Bytes) {
    const EscapeCase cases[] = {
        {"<CAF=1x@mail.example.org>", "%3CCAF=1x@mail.example.org%3E"},
        {"a b\t\"c\"", "a%20b%09%22c%22"},
        {"100%", "100%25"},
        {"[x]{y}|\\^`", "%5Bx%5D%7By%7D%7C%5C%5E%60"},
        {"-_.~!*'();:@&=+$,/?", "-_.~!*'();:@&=+$,/?"},
        {"<part1#2%x[y]@corp.example>", "%3Cpart1%232%25x%5By%5D@corp.example%3E"},
        {"\xc3\xa9\xf0\x9f\x98\x80", "%C3%A9%F0%9F%98%80"},
        {"", ""},
    };
    for (const auto& [text, escaped] : cases)
        EXPECT_EQ(stringByAddingPercentEscapes(text), escaped) << text;
}

} // namespace
} // namespace foundation
