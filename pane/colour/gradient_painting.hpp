// The one way the picker's gradient views paint: a stack of linear gradients between evenly
// spaced RGBA stops, each drawn over the last, clipped to the view's own rectangle. Call it
// from a drawRect: override with the view and its layers, bottom first.
//   paintGradientLayers(*this, {{{hsb(hue, 1, 1), white}, {w, 0}, {0, 0}}, ...});
#pragma once

#include "platform/quartz/color.hpp"
#include "platform/quartz/geometry.hpp"

#include <initializer_list>
#include <vector>

class UIView;

namespace tintbox::pane {

struct GradientLayer {
    std::vector<quartz::Color> stops;
    CGPoint start;
    CGPoint end;
};

// The opaque colour of that hue, saturation and brightness.
quartz::Color hsb(double hue, double saturation, double brightness);

// Paints into the current context; does nothing without one.
void paintGradientLayers(const UIView& view, std::initializer_list<GradientLayer> layers);

// The seven stops red, yellow, green, cyan, blue, magenta, red: hue 0 to 1.
std::vector<quartz::Color> hueRamp();
// The same stops in reverse order, for views that paint the ramp from right to left.
std::vector<quartz::Color> reversedHueRamp();

} // namespace tintbox::pane
