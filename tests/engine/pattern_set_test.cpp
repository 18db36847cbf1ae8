#include "engine/pattern_set.hpp"

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tintbox::engine {
namespace {

struct SearchCase {
    const char* pattern;
    const char* text;
    SearchOutcome expected;
};

const SearchCase kSearchCases[] = {
    {"smith", "John Smith <john@example.com>", SearchOutcome::Found},
    {"SMITH", "john smith", SearchOutcome::Found},
    {"^john", "John Smith", SearchOutcome::Found},
    {"^smith", "John Smith", SearchOutcome::NotFound},
    {"com>$", "John Smith <john@example.com>", SearchOutcome::Found},
    // ^ and $ anchor at the ends of the whole text, not at line breaks.
    {"^second", "first\nsecond", SearchOutcome::NotFound},
    {"first$", "first\nsecond", SearchOutcome::NotFound},
    {"first.second", "first\nsecond", SearchOutcome::NotFound},
    {"ÉCOLE", "inscription à l'école", SearchOutcome::Found},
    {"école", "INSCRIPTION À L'ÉCOLE", SearchOutcome::Found},
    {"🎉", "🎉 Party time", SearchOutcome::Found},
    {"^.\\sparty", "🎉 Party time", SearchOutcome::Found}, // one emoji is one character
    {"party 🎈", "PARTY 🎈🎈", SearchOutcome::Found},
    {"\\d{3}-\\d{4}", "call 555-1234 now", SearchOutcome::Found},
    {"invoice|receipt", "Your Receipt", SearchOutcome::Found},
    {"x", "", SearchOutcome::NotFound},
    {"[", "[", SearchOutcome::NoExpression},
    {"(unclosed", "(unclosed", SearchOutcome::NoExpression},
    {"a{2,1}", "aa", SearchOutcome::NoExpression},
};

TEST(PatternSet, SearchesTheWholeTextCaseInsensitively) {
    PatternSet patterns;
    for (const SearchCase& c : kSearchCases) {
        EXPECT_EQ(patterns.search(patterns.add(c.pattern), SearchText(c.text)), c.expected)
            << "/" << c.pattern << "/ in \"" << c.text << '"';
    }
}

TEST(PatternSet, CompilesEachDistinctPatternOnce) {
    PatternSet patterns;
    const PatternSet::Id bob = patterns.add("bob");
    EXPECT_EQ(patterns.add("alice"), bob + 1);
    EXPECT_EQ(patterns.add("bob"), bob);
    EXPECT_EQ(patterns.add("BOB"), bob + 2); // patterns differ by text, not by what they find
    EXPECT_EQ(patterns.size(), 3u);
    EXPECT_EQ(patterns.text(bob), "bob");
}

TEST(PatternSet, SearchEachStopsAtTheFirstMatchInOrder) {
    PatternSet patterns;
    const std::vector<SearchText> addresses{SearchText("carol@example.com"),
                                            SearchText("Bob <bob@example.com>")};
    EXPECT_EQ(patterns.searchEach(patterns.add("bob"), addresses), SearchOutcome::Found);
    EXPECT_EQ(patterns.searchEach(patterns.add("dave"), addresses), SearchOutcome::NotFound);
    EXPECT_EQ(patterns.searchEach(patterns.add("("), addresses), SearchOutcome::NoExpression);
    EXPECT_EQ(patterns.searchEach(patterns.add("("), {}), SearchOutcome::NoExpression);
    EXPECT_EQ(patterns.searchEach(patterns.add("bob"), {}), SearchOutcome::NotFound);
}

TEST(PatternSet, RetiresAPatternWhoseSearchHitsTheLimit) {
    const std::string text = std::string(32, 'a') + "!";
    PatternSet patterns;
    const PatternSet::Id slow = patterns.add("(a+)+$");
    const PatternSet::Id fine = patterns.add("a!");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(patterns.search(slow, SearchText(text)), SearchOutcome::Abandoned);
    // Unbounded, the first search alone takes minutes.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(patterns.retired(slow));
    EXPECT_EQ(patterns.retiredPatterns(), std::vector<std::string>{"(a+)+$"});

    // Retired, it is not searched again, even in text it could handle at once.
    EXPECT_EQ(patterns.search(slow, SearchText("aaa")), SearchOutcome::Abandoned);
    EXPECT_EQ(patterns.searchEach(slow, std::vector<SearchText>{SearchText("a")}),
              SearchOutcome::Abandoned);
    EXPECT_EQ(patterns.search(fine, SearchText(text)), SearchOutcome::Found);
    EXPECT_FALSE(patterns.retired(fine));

    // A set built afresh (the settings read again) gives the pattern another chance.
    PatternSet reread;
    EXPECT_EQ(reread.search(reread.add("(a+)+$"), SearchText("aaa")), SearchOutcome::Found);
}

TEST(PatternError, ExplainsPatternsThatDoNotCompile) {
    EXPECT_EQ(patternError("smith|jones"), std::nullopt);
    EXPECT_EQ(patternError("(a+)+$"), std::nullopt);
    EXPECT_EQ(patternError("école"), std::nullopt);

    const std::optional<std::string> bracket = patternError("[");
    ASSERT_TRUE(bracket);
    EXPECT_EQ(*bracket, "U_REGEX_MISSING_CLOSE_BRACKET at offset 1");

    const std::optional<std::string> paren = patternError("abc(def");
    ASSERT_TRUE(paren);
    EXPECT_NE(paren->find("U_REGEX_MISMATCHED_PAREN"), std::string::npos) << *paren;
}

} // namespace
} // namespace tintbox::engine
