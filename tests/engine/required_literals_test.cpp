#include "engine/pattern_set.hpp"
#include "engine/required_literals.hpp"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace tintbox::engine {
namespace {

using Literals = std::optional<std::vector<std::string>>;

struct LiteralCase {
    const char* pattern;
    Literals expected;
};

const LiteralCase kLiteralCases[] = {
    {"lovelace|babbage", std::vector<std::string>{"lovelace", "babbage"}},
    {"Billing@|ACCOUNTS@", std::vector<std::string>{"billing@", "accounts@"}},
    {"newsletter|no-?reply", std::vector<std::string>{"newsletter", "no"}},
    {"\\binvoice\\b|receipt", std::vector<std::string>{"invoice", "receipt"}},
    {"^re: ", std::vector<std::string>{"re: "}},
    {"team@example\\.org", std::vector<std::string>{"team@example.org"}},
    {"weekly.*build", std::vector<std::string>{"weekly"}},
    {"zz[0-9]+", std::vector<std::string>{"zz"}},
    {"ab+c", std::vector<std::string>{"ab"}},
    {"ab*c", std::vector<std::string>{"a"}},
    {"ab{2}", std::vector<std::string>{"a"}},
    {"a(b|c)d|x", std::vector<std::string>{"a", "x"}},
    {"x[|]y|z", std::vector<std::string>{"x", "z"}}, // the set's | splits nothing
};

// Alternatives that may start with anything, and patterns read otherwise than plainly.
const char* const kUnreasoned[] = {
    "",         "a|",        "|a",        ".*invoice", "(invoice|receipt)",
    "[ab]c",    "\\d{3}",    "\\w+@corp", "a?b",       "(?x) a b",
    "a(?i)b|c", "\\Qa|b\\E", "école",     "x(",        "x)",
    "[]a]|b",   "[^]a]",     "\\",        "[|]x|y",
};

TEST(RequiredLiterals, AreTheRunEachAlternativeStartsWith) {
    for (const LiteralCase& c : kLiteralCases)
        EXPECT_EQ(requiredLiterals(c.pattern), c.expected) << c.pattern;
    for (const char* pattern : kUnreasoned)
        EXPECT_EQ(requiredLiterals(pattern), std::nullopt) << '"' << pattern << '"';
}

TEST(RequiredLiterals, TextsAreComparedInTheirCaseFolding) {
    EXPECT_EQ(asciiLowercase("Re: INVOICE 42"), "re: invoice 42");
    EXPECT_EQ(asciiLowercase("Kelvin \u212A"), std::nullopt);
    EXPECT_EQ(caseFolded("Re: INVOICE 42"), "re: invoice 42");
    // Characters that fold onto ASCII letters, and one that folds to a longer text.
    EXPECT_EQ(caseFolded("Kelvin \u212A, lon\u017F"), "kelvin k, lons");
    EXPECT_EQ(caseFolded("STRA\u1E9EE \uFB06"), "strasse st");
    EXPECT_EQ(caseFolded("\u041F\u0420\u0418\u0412\u0415\u0422"),
              "\u043F\u0440\u0438\u0432\u0435\u0442");
    EXPECT_TRUE(containsAny("re: invoice 42", {"receipt", "invoice"}));
    EXPECT_FALSE(containsAny("re: invoice 42", {"receipt"}));
}

// Skipping the search of a text without the literals never changes what is found: the set's
// outcome equals a plain search's for every pattern and text here.
TEST(RequiredLiterals, SkippedSearchesFindWhatWholeSearchesFind) {
    const char* const patterns[] = {"lovelace|babbage",
                                    "newsletter|no-?reply",
                                    "\\binvoice\\b|receipt",
                                    "^re: ",
                                    "team@example\\.org",
                                    "weekly.*build",
                                    "zz[0-9]+",
                                    "ab+c",
                                    "ab*c",
                                    "k",
                                    "s",
                                    "st",
                                    "a(b|c)d|x",
                                    "[|]x|y",
                                    "ss",
                                    "fin",
                                    "istanbul",
                                    "ada",
                                    "\\bfoo",
                                    "foo$"};
    const char* const texts[] = {"Ada Lovelace <ada@example.org>",
                                 "NO-REPLY <noreply@shop.test>",
                                 "Your Invoice",
                                 "invoices",
                                 "RE: lunch",
                                 "Fwd: re: lunch",
                                 "TEAM@EXAMPLE.ORG",
                                 "team@exampleXorg",
                                 "Weekly report: build 42",
                                 "zz9",
                                 "abbbc",
                                 "ac",
                                 "Kelvin \u212A",
                                 "long \u017F",
                                 "stra\u00DFe",
                                 "STRA\u1E9EE",
                                 "\uFB06",
                                 "\uFB01nance",
                                 "\u0130stanbul",
                                 "\u00C9mile <LOVELACE@example.org>",
                                 "\u041F\u0440\u0438\u0432\u0435\u0442 NO-REPLY",
                                 "\uFF21\uFF24\uFF21 (full width)",
                                 "broken \xE2\x82 babbage",
                                 "acd",
                                 "|x",
                                 "y",
                                 "",
                                 "food",
                                 "a foo",
                                 "stuffoo"};
    for (const char* pattern : patterns) {
        PatternSet set;
        const PatternSet::Id id = set.add(pattern);
        for (const char* text : texts) {
            Regex whole(pattern, SearchLimits{});
            EXPECT_EQ(set.search(id, SearchText(text)), whole.search(SearchText(text)))
                << '/' << pattern << "/ in \"" << text << '"';
        }
    }
}

} // namespace
} // namespace tintbox::engine
