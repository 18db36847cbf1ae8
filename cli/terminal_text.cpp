#include "cli/terminal_text.hpp"

#include "cli/ascii_run.hpp"

#include <unicode/utf8.h>

namespace tintbox::cli {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

void appendUtf8(std::string& out, UChar32 c) {
    char buffer[U8_MAX_LENGTH];
    std::int32_t length = 0;
    UBool failed = false;
    U8_APPEND(buffer, length, U8_MAX_LENGTH, c, failed);
    if (failed)
        out += kReplacement;
    else
        out.append(buffer, static_cast<std::size_t>(length));
}

// Characters that change how a terminal shows what follows: C0 and C1 controls, DEL, and the
// bidirectional embeddings, overrides and isolates (which can reorder a row's text).
bool isControl(UChar32 c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

void appendVisible(std::string& out, UChar32 c) {
    if (c < 0x20)
        appendUtf8(out, 0x2400 + c); // the Control Pictures block: NUL ... US
    else if (c == 0x7F)
        appendUtf8(out, 0x2421);
    else
        out += kReplacement;
}

std::string safeText(std::string_view text, bool block) {
    std::string out;
    out.reserve(text.size());
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    for (std::int32_t i = 0; i < length;) {
        // A run of printable ASCII, most of any text, is copied whole.
        const auto plain = i + static_cast<std::int32_t>(printableAsciiPrefix(
                                   text.substr(static_cast<std::size_t>(i)), text.size()));
        if (plain > i) {
            out.append(
                text.substr(static_cast<std::size_t>(i), static_cast<std::size_t>(plain - i)));
            i = plain;
            continue;
        }
        const std::int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) {
            out += kReplacement;
        } else if (!isControl(c)) {
            out.append(
                text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(i - start)));
        } else if (block && (c == '\n' || c == '\t')) {
            out += static_cast<char>(c);
        } else if (block && c == '\r' && i < length && bytes[i] == '\n') {
            continue; // the line feed that follows is the break
        } else if (!block && c == '\t') {
            out += ' ';
        } else {
            appendVisible(out, c);
        }
    }
    return out;
}

} // namespace

std::string terminalLine(std::string_view text) {
    return safeText(text, false);
}

std::string terminalBlock(std::string_view text) {
    return safeText(text, true);
}

} // namespace tintbox::cli
