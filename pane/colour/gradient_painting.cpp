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
        std::vector<double> components;
        for (const quartz::Color& stop : layer.stops)
            components.insert(components.end(), {stop.red, stop.green, stop.blue, stop.alpha});
        CGGradientRef gradient = CGGradientCreateWithColorComponents(space, components.data(),
                                                                     nullptr, layer.stops.size());
        CGContextDrawLinearGradient(context, gradient, layer.start, layer.end, 0);
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
