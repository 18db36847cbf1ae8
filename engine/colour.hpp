// Colour values: the hex colour strings that the settings store ("#RRGGBB"), the one parser
// that reads them, the writer, and the swatch arithmetic of the settings pane (blend with
// white, text colour). Pure arithmetic; callers hand the components to their colour type.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tintbox::engine {

// Red in bits 16-23, green 8-15, blue 0-7; a value above 0xFFFFFF carries no colour.
using ColourValue = std::uint32_t;

inline constexpr ColourValue kNoColourRead = 0xFFFFFF;
inline constexpr ColourValue kLargestMailColour = 0xFFFFFE;

// Skips leading '#' (nothing else), reads an optional 0x/0X and the hex digits that follow,
// and ignores the rest. No digit leaves 0xFFFFFF; more than 32 bits give 0xFFFFFFFF.
ColourValue parseHexColour(std::string_view text);

struct Rgba {
    double red{0.0};
    double green{0.0};
    double blue{0.0};
    double alpha{1.0};
};

// The colour as the mail extension draws it (fractions 0..1), or nullopt above 0xFFFFFE.
std::optional<Rgba> mailColour(ColourValue value, double opacity);

// The settings pane shows an over-long value as white instead of as no colour.
ColourValue paneClamp(ColourValue value);

// Integer channels 0..255, as the colour editor holds them.
struct Rgb8 {
    int red{0};
    int green{0};
    int blue{0};
    bool operator==(const Rgb8&) const = default;
};

Rgb8 channelsOf(ColourValue value);

// "#RRGGBB" in upper case. Channels outside 0..255 are clamped into range, so the result is
// always a seven-character colour string.
std::string formatHexColour(int red, int green, int blue);

// A stored string as the pane shows it: '#' stripped from both ends, one '#' in front,
// upper-cased. It shows what is stored, not a re-formatted value.
std::string displayHexColour(std::string_view stored);

// The swatch on a white table: each channel x becomes (1 - a) * 255 + a * x in single
// precision, truncated toward zero.
Rgb8 whiteBlend(Rgb8 colour, float opacity);

// True when text on the (already blended) swatch should be white rather than black.
bool useWhiteFont(Rgb8 blended);

// The colour cell's rule on unblended channels: blends with white at the opacity first.
bool useWhiteFont(int red, int green, int blue, float opacity);

} // namespace tintbox::engine
