#include "platform/quartz/color.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quartz {

Color Color::fromHSB(double hue, double saturation, double brightness, double alpha) {
    if (saturation == 0)
        return {brightness, brightness, brightness, alpha};
    double h = hue - std::floor(hue); // wrap into [0, 1)
    double sector = h * 6;
    int index = static_cast<int>(sector) % 6;
    double f = sector - std::floor(sector);
    double p = brightness * (1 - saturation);
    double q = brightness * (1 - saturation * f);
    double t = brightness * (1 - saturation * (1 - f));
    double b = brightness;
    switch (index) {
    case 0:
        return {b, t, p, alpha};
    case 1:
        return {q, b, p, alpha};
    case 2:
        return {p, b, t, alpha};
    case 3:
        return {p, q, b, alpha};
    case 4:
        return {t, p, b, alpha};
    default:
        return {b, p, q, alpha};
    }
}

HSB Color::hsb() const {
    double max = std::max({red, green, blue});
    double min = std::min({red, green, blue});
    double delta = max - min;
    HSB result{0, max == 0 ? 0 : delta / max, max};
    if (delta == 0)
        return result;
    double hue = 0;
    if (max == red)
        hue = (green - blue) / delta;
    else if (max == green)
        hue = 2 + (blue - red) / delta;
    else
        hue = 4 + (red - green) / delta;
    hue /= 6;
    if (hue < 0)
        hue += 1;
    result.hue = hue;
    return result;
}

std::string Color::hexString() const {
    auto byte = [](double channel) {
        if (std::isnan(channel))
            return 0u;
        return static_cast<unsigned>(std::lround(std::clamp(channel, 0.0, 1.0) * 255.0));
    };
    char text[10];
    std::snprintf(text, sizeof text, "#%02X%02X%02X%02X", byte(red), byte(green), byte(blue),
                  byte(alpha));
    return text;
}

} // namespace quartz
