// Text in DejaVu Sans, measured and laid out with Pango at a fixed 72 dpi, so a font size in
// points is that many units of user space and measurements do not depend on the screen.
//   CGSize size = quartz::measureText("Brightness:", {.pointSize = 17});
//   context.drawText("Hue:", frame, {.font = {17}, .alignment = quartz::TextAlignment::Right});
#pragma once

#include "platform/quartz/color.hpp"
#include "platform/quartz/geometry.hpp"

#include <string_view>

namespace quartz {

inline constexpr const char* kFontFamily = "DejaVu Sans";

struct Font {
    double pointSize{17.0};
    bool bold{false};
};

// The platform's numbering: 0 left, 1 centre, 2 right.
enum class TextAlignment { Left = 0, Center = 1, Right = 2 };

// Where the text block sits in its rectangle when it is shorter: labels centre it.
enum class VerticalAlignment { Top, Center };

struct TextStyle {
    Font font;
    Color color{Color::black()};
    TextAlignment alignment{TextAlignment::Left};
    VerticalAlignment verticalAlignment{VerticalAlignment::Center};
    // 0 = as many lines as the text needs; otherwise wrap and end the last line with "…".
    int numberOfLines{1};
};

// Width of the widest line and height of all lines of `text`, unrounded. A maxWidth of 0 (or
// less, or infinite) means unbounded: the text breaks only at its newlines. With a bound the
// text wraps at word boundaries (inside a word when a word alone is too long), and
// numberOfLines > 0 limits each paragraph to that many lines, the last one ellipsized.
// Empty text measures (0, 0).
CGSize measureText(std::string_view text, const Font& font, double maxWidth = 0,
                   int numberOfLines = 0);

} // namespace quartz
