#include "cli/ascii_run.hpp"
#include "cli/display_width.hpp"

#include <gtest/gtest.h>
#include <string>

namespace tintbox::cli {
namespace {

TEST(DisplayWidth, CountsColumnsNotBytes) {
    const struct {
        std::string_view text;
        std::size_t columns;
    } cases[] = {{"", 0},
                 {"plain text", 10},
                 {"caf\u00e9", 4},
                 {"e\u0301t\u00e9", 3}, // a combining accent takes no column
                 {"ab\u4e2d\u6587", 6}, // wide characters take two
                 {"ab\x01"
                  "cd",
                  4}, // a control takes none
                 {"\xff"
                  "ab",
                  3}}; // a broken byte shows as one character
    for (const auto& c : cases)
        EXPECT_EQ(displayWidth(c.text), c.columns) << c.text;
}

TEST(DisplayWidth, FitsByColumnsWithAnEllipsis) {
    const struct {
        std::string_view text;
        std::size_t columns;
        std::string_view fitted;
    } cases[] = {{"abc", 3, "abc"},
                 {"abcd", 3, "ab\u2026"},
                 {"abc", 0, ""},
                 {"", 0, ""},
                 {"abcdef", 1, "\u2026"},
                 {"ab\u00e9", 3, "ab\u00e9"},
                 {"abc\u00e9", 3, "ab\u2026"},
                 {"ab\u4e2d", 3, "ab\u2026"},
                 // ASCII up to the limit, then a character of no width: it still fits.
                 {"abcde\u0301", 5, "abcde\u0301"},
                 {"abcdef\u0301", 5, "abcd\u2026"},
                 {"ab\x01"
                  "cd",
                  4,
                  "ab\x01"
                  "cd"},
                 {"\u0301", 0, "\u0301"}};
    for (const auto& c : cases)
        EXPECT_EQ(fitToWidth(c.text, c.columns), c.fitted) << c.text << " in " << c.columns;
}

TEST(PrintableAsciiPrefix, StopsAtTheFirstByteOutsidePrintableAsciiWhereverItIs) {
    // Each byte at the edges of the printable range, at every place in and around a word.
    for (const char odd : {'\x00', '\x1F', '\x7F', '\x80', '\xC3', '\xFF', '\n'}) {
        for (std::size_t at = 0; at < 19; ++at) {
            std::string text(19, '~');
            text[0] = ' ';
            text[at] = odd;
            EXPECT_EQ(printableAsciiPrefix(text, text.size()), at) << int(odd) << " at " << at;
            EXPECT_EQ(printableAsciiPrefix(text, 5), std::min<std::size_t>(at, 5));
        }
    }
    EXPECT_EQ(printableAsciiPrefix(std::string(20, ' '), 100), 20u);
}

} // namespace
} // namespace tintbox::cli
