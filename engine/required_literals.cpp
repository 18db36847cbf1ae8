#include "engine/required_literals.hpp"

#include <algorithm>
#include <unicode/bytestream.h>
#include <unicode/casemap.h>
#include <unicode/stringoptions.h>

namespace tintbox::engine {
namespace {

bool isAsciiAlphanumeric(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

char lowered(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isQuantifier(char c) {
    return c == '*' || c == '+' || c == '?' || c == '{';
}

// The top-level alternatives of the pattern, or nullopt when its groups and sets do not balance
// as written (the pattern then does not compile, or reads in a way this does not follow).
std::optional<std::vector<std::string_view>> alternatives(std::string_view pattern) {
    std::vector<std::string_view> found;
    int groups = 0;
    int sets = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '\\') {
            ++i; // the escaped character, whatever it is
            continue;
        }
        if (sets > 0) {
            if (c == '[') {
                ++sets;
            } else if (c == ']') {
                --sets;
            }
            continue;
        }
        if (c == '[') {
            // "[]...]" and "[^]...]" read differently in different engines.
            const std::size_t first = pattern.substr(i + 1, 1) == "^" ? i + 2 : i + 1;
            if (pattern.substr(first, 1) == "]")
                return std::nullopt;
            sets = 1;
        } else if (c == '(') {
            ++groups;
        } else if (c == ')') {
            if (--groups < 0)
                return std::nullopt;
        } else if (c == '|' && groups == 0) {
            found.push_back(pattern.substr(start, i - start));
            start = i + 1;
        }
    }
    if (groups != 0 || sets != 0)
        return std::nullopt;
    found.push_back(pattern.substr(start));
    return found;
}

// The characters every match of the alternative starts with, lower case; empty when it may start
// with anything.
std::string leadingLiteral(std::string_view alternative) {
    std::string literal;
    std::size_t i = 0;
    while (i < alternative.size()) {
        char c = alternative[i];
        if (c == '^' && literal.empty()) {
            ++i;
            continue;
        }
        if (c == '\\') {
            if (i + 1 >= alternative.size())
                break;
            const char escaped = alternative[i + 1];
            if (escaped == 'b' || escaped == 'B' || escaped == 'A') {
                i += 2; // zero width: the text around it is still one run
                continue;
            }
            const bool punctuation =
                escaped > ' ' && escaped < 0x7F && !isAsciiAlphanumeric(escaped);
            if (!punctuation)
                break; // a class, a character named by number, a back reference
            c = escaped;
            i += 2;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x80 || std::string_view(".[]()$|{}*+?^").find(c) != std::string_view::npos)
                break;
            ++i;
        }
        if (i < alternative.size() && isQuantifier(alternative[i])) {
            // The character may be missing ("?", "*", "{0,"), or repeated ("+"): it still ends
            // the run, and only "+" keeps it.
            if (alternative[i] == '+')
                literal += lowered(c);
            break;
        }
        literal += lowered(c);
    }
    return literal;
}

} // namespace

std::optional<std::vector<std::string>> requiredLiterals(std::string_view pattern) {
    // Inline flags ("(?x)" makes blanks mean nothing) and quoting change how the rest reads.
    if (pattern.find("(?") != std::string_view::npos ||
        pattern.find("\\Q") != std::string_view::npos)
        return std::nullopt;
    const auto split = alternatives(pattern);
    if (!split)
        return std::nullopt;
    std::vector<std::string> literals;
    literals.reserve(split->size());
    for (const std::string_view alternative : *split) {
        std::string literal = leadingLiteral(alternative);
        if (literal.empty())
            return std::nullopt;
        literals.push_back(std::move(literal));
    }
    return literals;
}

std::optional<std::string> asciiLowercase(std::string_view text) {
    // Checked before copying: every non-ASCII text searched would otherwise be copied for nothing.
    if (!std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::nullopt;
    std::string lower(text);
    for (char& c : lower)
        c = lowered(c);
    return lower;
}

std::optional<std::string> caseFolded(std::string_view text) {
    if (auto lower = asciiLowercase(text))
        return lower;
    std::string folded;
    icu::StringByteSink<std::string> sink(&folded, static_cast<std::int32_t>(text.size()));
    UErrorCode status = U_ZERO_ERROR;
    icu::CaseMap::utf8Fold(U_FOLD_CASE_DEFAULT,
                           icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())),
                           sink, nullptr, status);
    if (U_FAILURE(status))
        return std::nullopt;
    return folded;
}

bool containsAny(std::string_view lowercaseText, const std::vector<std::string>& literals) {
    return std::any_of(literals.begin(), literals.end(), [&](const std::string& literal) {
        return lowercaseText.find(literal) != std::string_view::npos;
    });
}

} // namespace tintbox::engine
