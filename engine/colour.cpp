#include "engine/colour.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace tintbox::engine {
namespace {

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool isHexDigit(std::string_view text, std::size_t at) {
    return at < text.size() && hexDigitValue(text[at]) >= 0;
}

// Truncates toward zero without the undefined behaviour of converting an out-of-range float.
int truncateToInt(float value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr float kLowest = static_cast<float>(std::numeric_limits<int>::min());
    constexpr float kAboveHighest = -kLowest; // 2^31, the first float past INT_MAX
    if (value <= kLowest) {
        return std::numeric_limits<int>::min();
    }
    if (value >= kAboveHighest) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(value);
}

std::string upperCase(std::string_view text) {
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
    unicode.toUpper(icu::Locale::getRoot());
    std::string result;
    unicode.toUTF8String(result);
    return result;
}

} // namespace

ColourValue parseHexColour(std::string_view text) {
    std::size_t at = text.find_first_not_of('#');
    if (at == std::string_view::npos || !isHexDigit(text, at)) {
        return kNoColourRead;
    }
    // "0x" is a prefix only when a digit follows it; otherwise the "0" is the number.
    if (text[at] == '0' && at + 1 < text.size() && (text[at + 1] == 'x' || text[at + 1] == 'X') &&
        isHexDigit(text, at + 2)) {
        at += 2;
    }
    std::uint64_t value = 0;
    bool overflow = false;
    for (; isHexDigit(text, at); ++at) {
        value = value * 16 + static_cast<std::uint64_t>(hexDigitValue(text[at]));
        if (value > std::numeric_limits<ColourValue>::max()) {
            overflow = true;
            value = 0;
        }
    }
    return overflow ? std::numeric_limits<ColourValue>::max() : static_cast<ColourValue>(value);
}

std::optional<Rgba> mailColour(ColourValue value, double opacity) {
    if (value > kLargestMailColour) {
        return std::nullopt;
    }
    const Rgb8 channels = channelsOf(value);
    return Rgba{channels.red / 255.0, channels.green / 255.0, channels.blue / 255.0, opacity};
}

ColourValue paneClamp(ColourValue value) {
    return value > 0xFFFFFF ? kNoColourRead : value;
}

Rgb8 channelsOf(ColourValue value) {
    return Rgb8{static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>(value & 0xFF)};
}

std::string formatHexColour(int red, int green, int blue) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", std::clamp(red, 0, 255),
                  std::clamp(green, 0, 255), std::clamp(blue, 0, 255));
    return text;
}

std::string displayHexColour(std::string_view stored) {
    const std::size_t first = stored.find_first_not_of('#');
    const std::string_view core =
        first == std::string_view::npos
            ? std::string_view()
            : stored.substr(first, stored.find_last_not_of('#') - first + 1);
    std::string shown(1, '#');
    shown += upperCase(core);
    return shown;
}

Rgb8 whiteBlend(Rgb8 colour, float opacity) {
    const float white = (1.0f - opacity) * 255.0f;
    const auto blend = [&](int channel) {
        return truncateToInt(static_cast<float>(channel) * opacity + white);
    };
    return Rgb8{blend(colour.red), blend(colour.green), blend(colour.blue)};
}

bool useWhiteFont(Rgb8 blended) {
    const double luminance = 0.2126 * blended.red + 0.7152 * blended.green + 0.0722 * blended.blue;
    return 1.0 - luminance / 255.0 >= 0.5;
}

bool useWhiteFont(int red, int green, int blue, float opacity) {
    return useWhiteFont(whiteBlend(Rgb8{red, green, blue}, opacity));
}

} // namespace tintbox::engine
