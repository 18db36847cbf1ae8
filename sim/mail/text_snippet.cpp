#include "sim/mail/text_snippet.hpp"

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

// Whether the text is its own snippet: already folded (no blank but single inner spaces) and
// short enough. Cached previews are, and every row takes a snippet of one.
bool isFolded(std::string_view text, std::size_t maxCharacters) {
    if (!text.empty() && (text.front() == ' ' || text.back() == ' '))
        return false;
    std::size_t characters = 0;
    char previous = 0;
    for (const char c : text) {
        if (isBlank(c) && (c != ' ' || previous == ' '))
            return false;
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 && ++characters > maxCharacters)
            return false;
        previous = c;
    }
    return true;
}

} // namespace

std::string snippetOf(std::string_view text, std::size_t maxCharacters) {
    if (isFolded(text, maxCharacters))
        return std::string(text);
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
