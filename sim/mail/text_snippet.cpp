#include "sim/mail/text_snippet.hpp"

namespace tintbox::sim::mail {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

} // namespace

std::string snippetOf(std::string_view text, std::size_t maxCharacters) {
    std::string snippet;
    std::size_t characters = 0;
    bool pendingSpace = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (isBlank(c)) {
            pendingSpace = !snippet.empty();
            continue;
        }
        const bool startsCharacter = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        if (startsCharacter) {
            if (characters + (pendingSpace ? 1 : 0) >= maxCharacters)
                break;
            if (pendingSpace) {
                snippet += ' ';
                ++characters;
            }
            pendingSpace = false;
            ++characters;
        }
        snippet += c;
    }
    return snippet;
}

} // namespace tintbox::sim::mail
