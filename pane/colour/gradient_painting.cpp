#include "pane/colour/gradient_painting.hpp"

#include "platform/quartz/core_graphics.hpp"
#include "platform/quartz/gradient.hpp"
#include "platform/quartz/ui_graphics.hpp"
#include "platform/uikit/UIView.hpp"

#include <algorithm>

namespace tintbox::pane {

quartz::Color hsb(double hue, double saturation, double brightness) {
    return quartz::Color::fromHSB(hue, saturation, brightness, 1.0);
}

namespace {

struct Stop {
    double location;
    quartz::Color colour;
};

quartz::Color premultipliedMix(const quartz::Color& a, const quartz::Color& b, double t) {
    const double alpha = a.alpha + (b.alpha - a.alpha) * t;
    if (!(alpha > 0))
        return t < 0.5 ? a : b;
    const auto channel = [&](double ca, double cb) {
        return (ca * a.alpha + (cb * b.alpha - ca * a.alpha) * t) / alpha;
    };
    return {channel(a.red, b.red), channel(a.green, b.green), channel(a.blue, b.blue), alpha};
}

// The drawing engine mixes neighbouring stops channel by channel, alpha apart, so a stop that
// fades to transparent black darkens what lies between. The picker's layers mean the blend of
// premultiplied colours, which is what a tap there reports: a transparent stop takes its
// neighbour's colour, and other stops of unequal alpha are mixed through extra stops.
std::vector<Stop> premultipliedStops(const std::vector<quartz::Color>& colours) {
    constexpr int kSteps = 16;
    std::vector<Stop> stops;
    if (colours.size() < 2) {
        for (const quartz::Color& colour : colours)
            stops.push_back({0, colour});
        return stops;
    }
    const double span = 1.0 / static_cast<double>(colours.size() - 1);
    for (std::size_t i = 0; i + 1 < colours.size(); ++i) {
        quartz::Color from = colours[i];
        quartz::Color to = colours[i + 1];
        if (!(from.alpha > 0))
            from = {to.red, to.green, to.blue, 0};
        if (!(to.alpha > 0))
            to = {from.red, from.green, from.blue, 0};
        const double start = span * static_cast<double>(i);
        const bool plain = from.alpha == to.alpha || !(from.alpha > 0) || !(to.alpha > 0);
        const int steps = plain ? 1 : kSteps;
        for (int step = 0; step < steps; ++step) {
            const double t = static_cast<double>(step) / steps;
            stops.push_back({start + span * t, premultipliedMix(from, to, t)});
        }
        // The next segment starts from a copy of its own, which may differ in a transparent one.
        stops.push_back({i + 2 == colours.size() ? 1.0 : start + span, to});
    }
    return stops;
}

} // namespace

void paintGradientLayers(const UIView& view, std::initializer_list<GradientLayer> layers) {
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (!context)
        return;
    CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
    const CGFloat width = CGRectGetWidth(view.frame());
    const CGFloat height = CGRectGetHeight(view.frame());
    CGContextSaveGState(context);
    CGContextClipToRect(context, CGRectMake(0, 0, width, height));
    for (const GradientLayer& layer : layers) {
        const std::vector<Stop> stops = premultipliedStops(layer.stops);
        std::vector<double> components;
        std::vector<double> locations;
        for (const Stop& stop : stops) {
            const quartz::Color& c = stop.colour;
            components.insert(components.end(), {c.red, c.green, c.blue, c.alpha});
            locations.push_back(stop.location);
        }
        CGGradientRef gradient = CGGradientCreateWithColorComponents(
            space, components.data(), locations.data(), stops.size());
        // Each layer runs from one edge of the view to the other and is clipped to it, so
        // extending its end colours shows nothing more; it lets the drawing engine fill a layer
        // of one colour as such rather than shading every pixel.
        CGContextDrawLinearGradient(context, gradient, layer.start, layer.end,
                                    kCGGradientDrawsBeforeStartLocation |
                                        kCGGradientDrawsAfterEndLocation);
        CGGradientRelease(gradient);
    }
    CGColorSpaceRelease(space);
    CGContextRestoreGState(context);
}

std::vector<quartz::Color> hueRamp() {
    return {{1, 0, 0, 1}, {1, 1, 0, 1}, {0, 1, 0, 1}, {0, 1, 1, 1},
            {0, 0, 1, 1}, {1, 0, 1, 1}, {1, 0, 0, 1}};
}

std::vector<quartz::Color> reversedHueRamp() {
    std::vector<quartz::Color> stops = hueRamp();
    std::reverse(stops.begin(), stops.end());
    return stops;
}

} // namespace tintbox::pane
