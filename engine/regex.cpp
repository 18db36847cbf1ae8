#include "engine/regex.hpp"

#include "engine/required_literals.hpp"

#include <unicode/parseerr.h>
#include <unicode/regex.h>
#include <unicode/utypes.h>

namespace tintbox::engine {
namespace {

icu::UnicodeString fromUtf8(std::string_view text) {
    return icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
}

struct Compilation {
    std::unique_ptr<icu::RegexPattern> pattern;
    UErrorCode status{U_ZERO_ERROR};
    UParseError where{};
};

Compilation compile(std::string_view pattern) {
    Compilation result;
    result.pattern.reset(icu::RegexPattern::compile(fromUtf8(pattern), UREGEX_CASE_INSENSITIVE,
                                                    result.where, result.status));
    if (U_FAILURE(result.status)) {
        result.pattern.reset();
    }
    return result;
}

std::string toUtf8(const UChar* context) {
    std::string text;
    icu::UnicodeString(context).toUTF8String(text);
    return text;
}

} // namespace

SearchText::SearchText(std::string utf8) : m_utf8(std::move(utf8)) {}

const std::string* SearchText::caseFolded() const {
    if (!m_caseFolded)
        m_caseFolded.emplace(tintbox::engine::caseFolded(m_utf8));
    return *m_caseFolded ? &**m_caseFolded : nullptr;
}

const icu::UnicodeString& SearchText::utf16() const {
    if (!m_utf16)
        m_utf16.emplace(fromUtf8(m_utf8));
    return *m_utf16;
}

Regex::Regex(std::string_view pattern, const SearchLimits& limits) {
    Compilation compilation = compile(pattern);
    if (!compilation.pattern) {
        return;
    }
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexMatcher> matcher(compilation.pattern->matcher(status));
    if (U_FAILURE(status)) {
        return;
    }
    matcher->setTimeLimit(limits.timeLimit, status);
    matcher->setStackLimit(limits.stackLimitBytes, status);
    if (U_FAILURE(status)) {
        return;
    }
    m_pattern = std::move(compilation.pattern);
    m_matcher = std::move(matcher);
}

Regex::Regex(Regex&&) noexcept = default;
Regex& Regex::operator=(Regex&&) noexcept = default;
Regex::~Regex() = default;

SearchOutcome Regex::search(const SearchText& text) {
    if (!m_matcher) {
        return SearchOutcome::NoExpression;
    }
    // The matcher refers to the text only until the next reset, and every search resets it.
    m_matcher->reset(text.utf16());
    UErrorCode status = U_ZERO_ERROR;
    const bool found = m_matcher->find(status);
    if (U_FAILURE(status)) {
        return SearchOutcome::Abandoned;
    }
    return found ? SearchOutcome::Found : SearchOutcome::NotFound;
}

bool hitsSearchLimits(std::string_view pattern, const SearchLimits& limits) {
    static const char* const kProbes[] = {
        "Re: Fwd: Weekly report for the build team, second draft (v2) - please review #1234",
        "Jean-Pierre Müller-Lüdenscheidt <jean-pierre.mueller@mail.example.com>",
        "undisclosed-recipients:;",
        "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa!",
        "                                                x",
    };
    Regex regex(pattern, limits);
    for (const char* probe : kProbes)
        if (regex.search(SearchText(probe)) == SearchOutcome::Abandoned)
            return true;
    return false;
}

std::optional<std::string> patternError(std::string_view pattern) {
    const Compilation compilation = compile(pattern);
    if (compilation.pattern) {
        return std::nullopt;
    }
    std::string message = u_errorName(compilation.status);
    if (compilation.where.offset >= 0) {
        message += " at offset " + std::to_string(compilation.where.offset);
    }
    const std::string before = toUtf8(compilation.where.preContext);
    const std::string after = toUtf8(compilation.where.postContext);
    if (!before.empty() || !after.empty()) {
        message += " near \"" + before + after + "\"";
    }
    return message;
}

} // namespace tintbox::engine
