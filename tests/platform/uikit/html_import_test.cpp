// The platform's HTML import: the plain text of HTML documents, through the free function and
// through NSAttributedString's initWithData:options:documentAttributes:error:.
#include "platform/uikit/NSAttributedString.hpp"
#include "platform/uikit/html_import.hpp"

#include <gtest/gtest.h>

namespace {

using uikit::plainTextFromHTML;

struct HtmlCase {
    const char* html;
    const char* text;
};

TEST(HtmlImport, BlocksEndLinesScriptsAreDroppedAndBlanksFold) {
    const HtmlCase cases[] = {
        {"<p>Hello&nbsp;<b>Ada</b></p><p>Bye</p>", "Hello\u00a0Ada\n\nBye"},
        {"<html><head><style>p{}</style></head><body>One<br>Two</body></html>", "One\nTwo"},
        {"<div>  lots   of\n\n blanks </div><script>alert(1)</script>", "lots of blanks"},
        {"<p>unclosed <i>tags", "unclosed tags"},
        {"", ""},
    };
    for (const auto& [html, text] : cases)
        EXPECT_EQ(plainTextFromHTML(html), text) << html;
}

TEST(HtmlImport, TablesListsAndPreformattedTextKeepTheirShape) {
    const HtmlCase cases[] = {
        {"<table><tr><td>Order</td><td>#1234</td></tr><tr><th> Total </th><td>9.50</td></tr>"
         "</table>",
         "Order\t#1234\nTotal\t9.50"},
        {"<p>Items:</p><ul><li>one</li><li>two <b>2</b></li></ul><p>end</p>",
         "Items:\n\none\ntwo 2\n\nend"},
        {"<pre>\nline 1\n  indented  twice\r\n\nafter a gap</pre>after",
         "line 1\n  indented  twice\n\nafter a gap\n\nafter"},
        {"first<br>second<br><br>fourth", "first\nsecond\n\nfourth"},
    };
    for (const auto& [html, text] : cases)
        EXPECT_EQ(plainTextFromHTML(html), text) << html;
}

TEST(HtmlImport, ElementsHiddenFromTheReaderAreSkipped) {
    const HtmlCase cases[] = {
        {"<div style=\"display:none;max-height:0\">Preheader teaser</div><p>News</p>", "News"},
        {"<span style=\"color: red; DISPLAY : None\">x</span>shown", "shown"},
        {"<p hidden>secret</p><p>open</p>", "open"},
        // Only the display property hides: a name ending in "display" does not.
        {"<p style=\"mso-display:none-ish\">kept</p>", "kept"},
        {"<p style=\"display:block\">block</p>", "block"},
    };
    for (const auto& [html, text] : cases)
        EXPECT_EQ(plainTextFromHTML(html), text) << html;
}

TEST(HtmlImport, AttributedStringsReadHTMLOrPlainTextInUTF8Only) {
    const foundation::Dictionary html{{NSDocumentTypeDocumentOption, NSHTMLTextDocumentType},
                                      {NSCharacterEncodingDocumentOption, NSUTF8StringEncoding}};
    auto text =
        NSAttributedString::withData("<p>Caf&eacute; <b>at</b> 9</p><p>\xf0\x9f\x98\x80</p>", html);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->string(), "Caf\u00e9 at 9\n\n\xf0\x9f\x98\x80");
    EXPECT_EQ(text->length(), 13u); // the emoji is two UTF-16 code units

    auto plain = NSAttributedString::withData("<p>kept</p>", {});
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->string(), "<p>kept</p>");

    EXPECT_FALSE(
        NSAttributedString::withData("x", {{NSDocumentTypeDocumentOption, NSHTMLTextDocumentType},
                                           {NSCharacterEncodingDocumentOption, std::int64_t{1}}}));
    EXPECT_FALSE(NSAttributedString::withData("x", {{NSDocumentTypeDocumentOption, "NSRTF"}}));
}

} // namespace
