#include "engine/pattern_cache.hpp"

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

TEST(PatternCache, SearchesTheWholeTextCaseInsensitively) {
    PatternCache cache;
    for (const SearchCase& c : kSearchCases) {
        EXPECT_EQ(cache.search(c.pattern, c.text), c.expected)
            << "/" << c.pattern << "/ in \"" << c.text << '"';
    }
}

TEST(PatternCache, GivesTheSameResultsCachedOrNot) {
    PatternCache uncached(0);
    PatternCache tiny(2); // evicts all the time
    PatternCache roomy;
    // Twice over, so that the second round is served from the caches that kept the patterns.
    for (int round = 0; round < 2; ++round) {
        for (const SearchCase& pattern : kSearchCases) {
            for (const SearchCase& text : kSearchCases) {
                const SearchOutcome expected = uncached.search(pattern.pattern, text.text);
                EXPECT_EQ(tiny.search(pattern.pattern, text.text), expected);
                EXPECT_EQ(roomy.search(pattern.pattern, text.text), expected);
            }
        }
    }
    EXPECT_EQ(uncached.size(), 0u);
    EXPECT_EQ(tiny.size(), 2u);
}

TEST(PatternCache, KeepsTheMostRecentlyUsedPatterns) {
    PatternCache cache(2);
    cache.search("a", "a");
    cache.search("b", "b");
    cache.search("a", "a"); // "b" is now the least recently used
    cache.search("c", "c");
    EXPECT_EQ(cache.size(), 2u);
    EXPECT_EQ(cache.search("a", "A"), SearchOutcome::Found);
    EXPECT_EQ(cache.search("b", "B"), SearchOutcome::Found); // recompiled after eviction
    EXPECT_EQ(cache.search("[", "["), SearchOutcome::NoExpression);
    EXPECT_EQ(cache.search("[", "["), SearchOutcome::NoExpression); // failure cached too
    EXPECT_EQ(cache.size(), 2u);
}

TEST(PatternCache, SearchEachStopsAtTheFirstMatchInOrder) {
    PatternCache cache;
    const std::vector<SearchText> addresses{SearchText("carol@example.com"),
                                            SearchText("Bob <bob@example.com>")};
    EXPECT_EQ(cache.searchEach("bob", addresses), SearchOutcome::Found);
    EXPECT_EQ(cache.searchEach("dave", addresses), SearchOutcome::NotFound);
    EXPECT_EQ(cache.searchEach("(", addresses), SearchOutcome::NoExpression);
    EXPECT_EQ(cache.searchEach("(", {}), SearchOutcome::NoExpression);
    EXPECT_EQ(cache.searchEach("bob", {}), SearchOutcome::NotFound);
}

TEST(PatternCache, AbandonsACatastrophicSearchQuickly) {
    const std::string text = std::string(32, 'a') + "!";
    PatternCache cache;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(cache.search("(a+)+$", text), SearchOutcome::Abandoned);
    EXPECT_EQ(
        cache.searchEach("(a+)+$", std::vector<SearchText>{SearchText(text), SearchText("b")}),
        SearchOutcome::Abandoned);
    EXPECT_EQ(
        cache.searchEach("(a+)+$", std::vector<SearchText>{SearchText(text), SearchText("a")}),
        SearchOutcome::Found);
    // Unbounded, the first search alone takes minutes.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    // The same expression still works on text it can handle.
    EXPECT_EQ(cache.search("(a+)+$", "aaa"), SearchOutcome::Found);
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
