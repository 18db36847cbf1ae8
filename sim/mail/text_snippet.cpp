#include "sim/mail/text_snippet.hpp"

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
    std::size_t characters = 0;
    char previous = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 && ++characters > maxCharacters)
            return previous == ' ' ? i - 1 : i;
        if (isBlank(c) && (c != ' ' || previous == ' '))
            return std::nullopt;
        previous = c;
    }
    if (previous == ' ')
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
