#include "sim/mail/text_snippet.hpp"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>

namespace tintbox::sim::mail {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Collects bytes in a small buffer and appends them in runs: snippets are taken of every listed
// message, and appending byte by byte was a noticeable part of a listing.
class SnippetWriter {
public:
    explicit SnippetWriter(std::string& out) : m_out(out) {}
    SnippetWriter(const SnippetWriter&) = delete;
    SnippetWriter& operator=(const SnippetWriter&) = delete;

    void put(char c) {
        if (m_used == sizeof m_buffer)
            flush();
        m_buffer[m_used++] = c;
        ++m_written;
    }
    bool empty() const { return m_written == 0; }
    void flush() {
        m_out.append(m_buffer, m_used);
        m_used = 0;
    }

private:
    std::string& m_out;
    char m_buffer[256];
    std::size_t m_used = 0;
    std::size_t m_written = 0;
};

constexpr std::uint64_t kEachByte = 0x0101010101010101;
constexpr std::uint64_t kHighBits = 0x8080808080808080;

// Set high bits mark the bytes of the word below n (n <= 128): all of them, perhaps with a few
// more above a marked one; none when no byte is below n.
constexpr std::uint64_t bytesBelow(std::uint64_t word, std::uint64_t n) {
    return (word - kEachByte * n) & ~word & kHighBits;
}

bool isContinuationByte(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Eight bytes at once, when they may be taken so (little-endian loads): no blank but single
// spaces, none after a space before them. Adds their continuation bytes and says whether the
// last is a space; false (nothing read) when they need a closer look.
bool takeFoldedWord(std::string_view text, std::size_t at, std::size_t& continuations,
                    bool& afterSpace) {
    if constexpr (std::endian::native != std::endian::little)
        return false;
    std::uint64_t word = 0;
    std::memcpy(&word, text.data() + at, sizeof word);
    const std::uint64_t spaces = bytesBelow(word ^ (kEachByte * ' '), 1);
    if (bytesBelow(word, ' ') || (spaces & (spaces << 8)) || (afterSpace && (spaces & 0x80)))
        return false;
    // One bit per continuation byte (10xxxxxx), summed by a multiply: std::popcount is a library
    // call on the baseline x86-64 this is built for.
    const std::uint64_t continuationBits = (word & ~(word << 1) & kHighBits) >> 7;
    continuations += static_cast<std::size_t>((continuationBits * kEachByte) >> 56);
    afterSpace = (word >> 56) == ' ';
    return true;
}

// The length of the snippet when the text is already folded as far as the snippet reaches (no
// blank but single inner spaces): then the snippet is a prefix of it, cut before the character
// past the limit and before a space left at the end. Cached previews are folded, and every row
// takes a snippet of one (twice), so this is read eight bytes at a time. nullopt: the text
// needs folding.
std::optional<std::size_t> foldedPrefixLength(std::string_view text, std::size_t maxCharacters) {
    if (!text.empty() && text.front() == ' ')
        return std::nullopt;
    bool afterSpace = false;
    std::size_t continuations = 0;
    // So many bytes hold no more characters than the limit: they are only checked for blanks
    // (all of them at or below the space), their characters counted as they go.
    const std::size_t uncounted = std::min(text.size(), maxCharacters);
    std::size_t i = 0;
    while (i < uncounted) {
        if (i + 8 <= uncounted && takeFoldedWord(text, i, continuations, afterSpace)) {
            i += 8;
            continue;
        }
        for (const std::size_t end = std::min(i + 8, uncounted); i < end; ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            continuations += isContinuationByte(c);
            if (c > ' ') {
                afterSpace = false;
                continue;
            }
            if (c == ' ' ? afterSpace : isBlank(static_cast<char>(c)))
                return std::nullopt;
            afterSpace = c == ' ';
        }
    }
    std::size_t characters = i - continuations;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (!isContinuationByte(static_cast<unsigned char>(c)) && ++characters > maxCharacters)
            return afterSpace ? i - 1 : i;
        if (isBlank(c) && (c != ' ' || afterSpace))
            return std::nullopt;
        afterSpace = c == ' ';
    }
    if (afterSpace)
        return std::nullopt;
    return text.size();
}

} // namespace

std::string snippetOf(std::string_view text, std::size_t maxCharacters) {
    if (const auto length = foldedPrefixLength(text, maxCharacters))
        return std::string(text.substr(0, *length));
    std::string snippet;
    SnippetWriter writer(snippet);
    std::size_t characters = 0;
    bool pendingSpace = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (isBlank(c)) {
            pendingSpace = !writer.empty();
            continue;
        }
        const bool startsCharacter = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        if (startsCharacter) {
            if (characters + (pendingSpace ? 1 : 0) >= maxCharacters)
                break;
            if (pendingSpace) {
                writer.put(' ');
                ++characters;
            }
            pendingSpace = false;
            ++characters;
        }
        writer.put(c);
    }
    writer.flush();
    return snippet;
}

} // namespace tintbox::sim::mail
