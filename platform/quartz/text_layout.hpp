// Pango layouts for measurement and drawing, built on one deterministic font map per thread
// (pango-cairo at 72 dpi, no hinting, unrounded glyph positions). Private to this folder.
#pragma once

#include "platform/quartz/cairo_handles.hpp"
#include "platform/quartz/text.hpp"

namespace quartz::detail {

// A layout of `text` in `font`. `cairo` may be null (measurement); when given, the layout
// follows its transformation. width <= 0 (or infinite) means unbounded.
ObjectRef<PangoLayout> makeTextLayout(cairo_t* cairo, std::string_view text, const Font& font,
                                      double width, int numberOfLines, TextAlignment alignment);

// The layout's logical size in user units.
CGSize layoutSize(PangoLayout* layout);

} // namespace quartz::detail
