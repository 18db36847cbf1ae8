#include "cli/display_width.hpp"

#include "cli/ascii_run.hpp"

#include <algorithm>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace tintbox::cli {
namespace {

int columnsOf(UChar32 c) {
    // ASCII, most of any mail, answered without the property lookups: printable characters
    // take one column, controls none (as ICU's tables say too).
    if (c >= 0x20 && c < 0x7F)
        return 1;
    if (c >= 0 && c <= 0x7F)
        return 0;
    if (c < 0)
        return 1; // a broken byte is shown as one replacement character
    if (c == 0x200D || (c >= 0xFE00 && c <= 0xFE0F))
        return 0; // joiners and variation selectors join what is around them
    const auto category = u_charType(c);
    if (category == U_NON_SPACING_MARK || category == U_ENCLOSING_MARK ||
        category == U_FORMAT_CHAR || category == U_CONTROL_CHAR)
        return 0;
    const auto width = u_getIntPropertyValue(c, UCHAR_EAST_ASIAN_WIDTH);
    if (width == U_EA_WIDE || width == U_EA_FULLWIDTH ||
        u_hasBinaryProperty(c, UCHAR_EMOJI_PRESENTATION))
        return 2;
    return 1;
}

template <typename Visit>
void eachCharacter(std::string_view text, Visit visit) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    for (int32_t i = 0; i < length;) {
        const int32_t start = i;
        UChar32 c = bytes[i];
        if (c < 0x80)
            ++i; // ASCII, one byte: no decoding
        else
            U8_NEXT(bytes, i, length, c);
        if (!visit(start, i, columnsOf(c)))
            return;
    }
}

} // namespace

std::size_t displayWidth(std::string_view utf8) {
    const std::size_t ascii = printableAsciiPrefix(utf8, utf8.size());
    std::size_t columns = ascii;
    eachCharacter(utf8.substr(ascii), [&](int32_t, int32_t, int width) {
        columns += static_cast<std::size_t>(width);
        return true;
    });
    return columns;
}

std::string fitToWidth(std::string_view utf8, std::size_t columns) {
    const std::size_t ascii = printableAsciiPrefix(utf8, columns + 1);
    if (ascii > columns)
        return columns == 0 ? std::string() : std::string(utf8.substr(0, columns - 1)) + "\u2026";
    if (ascii == utf8.size())
        return std::string(utf8);
    // Whether it fits is known at the first column too many, not at the end of a long text.
    std::size_t width = 0;
    eachCharacter(utf8, [&](int32_t, int32_t, int characterWidth) {
        width += static_cast<std::size_t>(characterWidth);
        return width <= columns;
    });
    if (width <= columns)
        return std::string(utf8);
    if (columns == 0)
        return {};
    std::size_t used = 0;
    std::size_t end = 0;
    eachCharacter(utf8, [&](int32_t, int32_t next, int width) {
        if (used + static_cast<std::size_t>(width) > columns - 1)
            return false;
        used += static_cast<std::size_t>(width);
        end = static_cast<std::size_t>(next);
        return true;
    });
    return std::string(utf8.substr(0, end)) + "\u2026";
}

std::string padToWidth(std::string text, std::size_t columns) {
    const std::size_t width = displayWidth(text);
    if (width < columns)
        text.append(columns - width, ' ');
    return text;
}

} // namespace tintbox::cli
