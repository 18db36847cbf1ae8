#include "platform/foundation/utf16.hpp"

#include <gtest/gtest.h>

namespace foundation {
namespace {

const std::string kGrin = "\xf0\x9f\x98\x80"; // U+1F600, a surrogate pair in UTF-16

TEST(Utf16, LengthCountsCodeUnits) {
    struct Case {
        std::string text;
        std::size_t units;
    };
    const Case cases[] = {
        {"", 0},
        {"abc", 3},
        {"caf\xc3\xa9", 4},  // precomposed é
        {"cafe\xcc\x81", 5}, // e + combining accent
        {"\xe4\xb8\xad\xe6\x96\x87", 2},
        {kGrin, 2},
        {"a" + kGrin + "b", 4},
        {"a\xff"
         "b",
         3},              // an invalid byte reads as one replacement character
        {"a\xe2\x82", 2}, // a truncated sequence too
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(utf16Length(c.text), c.units);
    }
}

TEST(Utf16, PrefixNeverSplitsASurrogatePair) {
    struct Case {
        std::string text;
        std::size_t units;
        std::string expected;
    };
    const std::string text = "a" + kGrin + "b";
    const Case cases[] = {
        {"abc", 2, "ab"},
        {"abc", 0, ""},
        {"abc", 100, "abc"},
        {"caf\xc3\xa9!", 4, "caf\xc3\xa9"},
        {text, 1, "a"},
        {text, 2, "a"}, // the pair would need units 2 and 3
        {text, 3, "a" + kGrin},
        {text, 4, text},
        {kGrin + kGrin, 3, kGrin},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + " / " + std::to_string(c.units));
        EXPECT_EQ(utf16Prefix(c.text, c.units), c.expected);
    }
}

TEST(Utf16, StaysInsideTheGivenBytes) {
    // The view ends inside the euro sign; the bytes after it must not be read.
    const std::string buffer = "x\xe2\x82\xac";
    const std::string_view cut(buffer.data(), 3);
    EXPECT_EQ(utf16Prefix(cut, 10), std::string(cut));
    EXPECT_EQ(utf16Length(cut), 2u);
}

} // namespace
} // namespace foundation
