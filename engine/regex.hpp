// One compiled, case-insensitive ICU regular expression and the text it searches.
// Compile with Regex(pattern, limits); search a SearchText (UTF-16, converted once) with
// search(). A pattern that does not compile gives an empty Regex that never finds anything.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unicode/unistr.h>

U_NAMESPACE_BEGIN
class RegexPattern;
class RegexMatcher;
U_NAMESPACE_END

namespace tintbox::engine {

// A message text in the forms the searches read; make each text once and search it with as many
// patterns as needed. The UTF-16 form the expression engine reads is made at its first use, as
// most searches of ASCII text end at their required literals.
class SearchText {
public:
    explicit SearchText(std::string utf8);
    const icu::UnicodeString& utf16() const;
    // The text's full case folding (made on first use), or null when it cannot be made.
    const std::string* caseFolded() const;

private:
    std::string m_utf8;
    mutable std::optional<std::optional<std::string>> m_caseFolded;
    mutable std::optional<icu::UnicodeString> m_utf16;
};

// Bounds of one search, so that a pattern that backtracks catastrophically cannot hang the
// caller. The time limit is in ICU's match-engine steps (10,000 steps per unit, roughly a
// quarter millisecond each on a desktop processor); ordinary patterns on mail subjects and
// addresses use a tiny fraction of it.
struct SearchLimits {
    std::int32_t timeLimit{100};
    std::int32_t stackLimitBytes{8 * 1024 * 1024};
};

enum class SearchOutcome {
    Found,        // the pattern matched somewhere in the text
    NotFound,     // the whole text was searched without a match
    NoExpression, // the pattern does not compile, so nothing is ever found
    Abandoned,    // the search hit its time or stack bound; counts as not found
};

constexpr bool isFound(SearchOutcome outcome) {
    return outcome == SearchOutcome::Found;
}

class Regex {
public:
    Regex(std::string_view pattern, const SearchLimits& limits);
    Regex(Regex&&) noexcept;
    Regex& operator=(Regex&&) noexcept;
    ~Regex();

    bool compiled() const { return m_matcher != nullptr; }

    // Searches the whole text: the pattern may match anywhere, and ^ and $ anchor only at
    // the start and end of the text.
    SearchOutcome search(const SearchText& text);

private:
    std::unique_ptr<icu::RegexPattern> m_pattern;
    std::unique_ptr<icu::RegexMatcher> m_matcher;
};

// Whether searching typical mail texts with the pattern (a subject, addresses, a run of one
// letter) runs into the limits, so that the mail extension would retire it at the first such
// message. A pattern that does not compile never searches, so never hits them.
bool hitsSearchLimits(std::string_view pattern, const SearchLimits& limits = {});

// Why a pattern does not compile (ICU's error name, with the position in UTF-16 code units
// where known), or nullopt when it compiles. Uses the same flags as every search.
std::optional<std::string> patternError(std::string_view pattern);

} // namespace tintbox::engine
