// An RGBA colour in device RGB, each channel a double from 0 to 1 (not premultiplied), with the
// HSB conversions of the platform and the "#RRGGBBAA" text form of the view dump.
//   auto red = quartz::Color::fromHSB(0, 1, 1);    red.hexString() == "#FF0000FF"
// UIColor wraps one; CGColorRef is the same value type here.
#pragma once

#include <string>

namespace quartz {

struct HSB {
    double hue{0};        // 0 to 1; 1 is a full turn
    double saturation{0}; // 0 to 1
    double brightness{0}; // 0 to 1
};

struct Color {
    double red{0};
    double green{0};
    double blue{0};
    double alpha{0};

    static constexpr Color black() { return {0, 0, 0, 1}; }
    static constexpr Color white() { return {1, 1, 1, 1}; }
    static constexpr Color clear() { return {0, 0, 0, 0}; }
    static constexpr Color white(double w, double alpha) { return {w, w, w, alpha}; }

    // The standard HSB (HSV) model; a hue of 1 is the same as 0. Inputs outside 0 to 1 are
    // taken as given, so callers decide whether to clamp.
    static Color fromHSB(double hue, double saturation, double brightness, double alpha = 1.0);
    // A grey has hue 0; black has saturation 0.
    HSB hsb() const;

    constexpr Color withAlpha(double a) const { return {red, green, blue, a}; }
    constexpr bool isOpaque() const { return alpha >= 1.0; }

    // "#RRGGBBAA", each channel clamped to 0..1 and rounded to the nearest of 0..255.
    std::string hexString() const;

    constexpr bool operator==(const Color&) const = default;
};

} // namespace quartz

using CGColorRef = quartz::Color;
