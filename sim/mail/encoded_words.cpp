#include "sim/mail/encoded_words.hpp"

#include "sim/mail/gmime_handles.hpp"

#include <algorithm>
#include <optional>

namespace tintbox::sim::mail {
namespace {

bool isBase64Character(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '/' || c == '=';
}

// Where the blanks and folds after `at` end; a line break counts only as a fold (followed by a
// blank), so words of two header fields never join.
std::size_t afterBlanks(std::string_view headers, std::size_t at) {
    for (;;) {
        if (at < headers.size() && (headers[at] == ' ' || headers[at] == '\t')) {
            ++at;
            continue;
        }
        std::size_t fold = at;
        if (headers.substr(fold, 1) == "\r")
            ++fold;
        if (headers.substr(fold, 1) == "\n" && fold + 1 < headers.size() &&
            (headers[fold + 1] == ' ' || headers[fold + 1] == '\t')) {
            at = fold + 1;
            continue;
        }
        return at;
    }
}

struct Base64Word {
    std::string_view charset;
    std::string_view text;
    std::size_t end{0}; // just after its "?="
};

// The base64 encoded word starting at `at` ("=?charset?B?text?="), if there is one.
std::optional<Base64Word> base64WordAt(std::string_view headers, std::size_t at) {
    if (headers.substr(at, 2) != "=?")
        return std::nullopt;
    const std::size_t charsetEnd = headers.find('?', at + 2);
    if (charsetEnd == std::string_view::npos || charsetEnd == at + 2 ||
        charsetEnd + 2 >= headers.size() ||
        (headers[charsetEnd + 1] != 'B' && headers[charsetEnd + 1] != 'b') ||
        headers[charsetEnd + 2] != '?')
        return std::nullopt;
    const std::string_view charset = headers.substr(at + 2, charsetEnd - at - 2);
    for (const char c : charset)
        if (c <= ' ' || c > '~')
            return std::nullopt;
    const std::size_t textStart = charsetEnd + 3;
    const std::size_t textEnd = headers.find("?=", textStart);
    if (textEnd == std::string_view::npos)
        return std::nullopt;
    const std::string_view text = headers.substr(textStart, textEnd - textStart);
    for (const char c : text)
        if (!isBase64Character(c))
            return std::nullopt;
    return Base64Word{charset, text, textEnd + 2};
}

bool sameCharset(std::string_view a, std::string_view b) {
    return a.size() == b.size() && g_ascii_strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// The bytes of one word's text, padded as it should have been; a last lone character holds
// no whole byte and is dropped.
std::string decodedBytes(std::string_view text) {
    std::string digits;
    for (const char c : text)
        if (c != '=')
            digits += c;
    if (digits.size() % 4 == 1)
        digits.pop_back();
    digits.append((4 - digits.size() % 4) % 4, '=');
    gsize length = 0;
    const GStringHandle bytes(reinterpret_cast<gchar*>(g_base64_decode(digits.c_str(), &length)));
    return bytes ? std::string(bytes.get(), length) : std::string();
}

// A word GMime already reads whole: the only one of its run, padded only at its end.
bool readsAsItIs(std::string_view text) {
    const std::size_t padding = text.find('=');
    return text.size() % 4 == 0 && (padding == std::string_view::npos ||
                                    text.find_first_not_of('=', padding) == std::string_view::npos);
}

} // namespace

std::string withBase64WordsJoined(std::string_view headers) {
    std::string out;
    out.reserve(headers.size());
    std::size_t at = 0;
    while (at < headers.size()) {
        // Text up to the next "=?" cannot start a word, so it is copied in one piece.
        const std::size_t start = std::min(headers.find("=?", at), headers.size());
        out.append(headers, at, start - at);
        at = start;
        if (at == headers.size())
            break;
        const auto first = base64WordAt(headers, at);
        if (!first) {
            out += headers[at++];
            continue;
        }
        std::string bytes = decodedBytes(first->text);
        std::size_t end = first->end;
        bool joined = false;
        for (;;) {
            const std::size_t next = afterBlanks(headers, end);
            const auto word = base64WordAt(headers, next);
            if (!word || !sameCharset(word->charset, first->charset))
                break;
            bytes += decodedBytes(word->text);
            end = word->end;
            joined = true;
        }
        if (!joined && readsAsItIs(first->text)) {
            out += headers.substr(at, end - at);
        } else {
            const GStringHandle text(
                g_base64_encode(reinterpret_cast<const guchar*>(bytes.data()), bytes.size()));
            out += "=?" + std::string(first->charset) + "?B?" + text.get() + "?=";
        }
        at = end;
    }
    return out;
}

} // namespace tintbox::sim::mail
