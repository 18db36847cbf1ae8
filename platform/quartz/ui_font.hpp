// The UI face: Nimbus Sans, whose metrics are those of the platform's system font, so texts
// sized to fit there fit here; DejaVu Sans stands in where it is missing, and fontconfig finds
// emoji and Chinese, Japanese and Korean glyphs in the fallback fonts.
#pragma once

#include "platform/quartz/text.hpp"

#include <string_view>

namespace quartz {

inline constexpr const char* kUIFontFamilies = "Nimbus Sans, DejaVu Sans";

// How many characters of `text` no installed font can draw (each would show as a box).
int missingGlyphCount(std::string_view text, const Font& font);

} // namespace quartz
