#include "sim/mail/text_snippet.hpp"

#include <algorithm>
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

// The length of the snippet when the text is already folded as far as the snippet reaches (no
// blank but single inner spaces): then the snippet is a prefix of it, cut before the character
// past the limit and before a space left at the end. Cached previews are folded, and every row
// takes a snippet of one. nullopt: the text needs folding.
std::optional<std::size_t> foldedPrefixLength(std::string_view text, std::size_t maxCharacters) {
    if (!text.empty() && text.front() == ' ')
        return std::nullopt;
    const auto isStartByte = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; };
    bool afterSpace = false;
    // So many bytes hold no more characters than the limit: they are only checked for blanks
    // (all of them at or below the space), and their characters counted at once if need be.
    const std::size_t uncounted = std::min(text.size(), maxCharacters);
    std::size_t i = 0;
    for (; i < uncounted; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c > ' ') {
            afterSpace = false;
            continue;
        }
        if (c == ' ' ? afterSpace : isBlank(static_cast<char>(c)))
            return std::nullopt;
        afterSpace = c == ' ';
    }
    if (i < text.size()) {
        auto characters =
            static_cast<std::size_t>(std::count_if(text.begin(), text.begin() + i, isStartByte));
        for (; i < text.size(); ++i) {
            const char c = text[i];
            if (isStartByte(c) && ++characters > maxCharacters)
                return afterSpace ? i - 1 : i;
            if (isBlank(c) && (c != ' ' || afterSpace))
                return std::nullopt;
            afterSpace = c == ' ';
        }
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
