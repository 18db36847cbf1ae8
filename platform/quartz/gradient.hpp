// Linear-gradient colour ramps: a sorted list of RGBA stops in device RGB. Plug-in code uses the
// platform's names, whose handles free themselves (the Release calls only drop a reference early):
//   CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
//   CGGradientRef g = CGGradientCreateWithColorComponents(space, rgba, nullptr, 2);
//   CGContextDrawLinearGradient(context, g, start, end, 0);
#pragma once

#include "platform/quartz/color.hpp"

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

namespace quartz {

struct GradientStop {
    double location{0}; // 0 at the start point, 1 at the end point
    Color color;

    bool operator==(const GradientStop&) const = default;
};

class Gradient {
public:
    // Without locations the stops are evenly spaced from 0 to 1 (a single colour sits at 0).
    // Locations are clamped to 0..1 and kept in order; stops at the same location keep the
    // order given, which makes a hard edge. Throws std::invalid_argument for no colours, a
    // location count that differs from the colour count, or a location that is not a number.
    explicit Gradient(std::span<const Color> colors, std::span<const double> locations = {});

    const std::vector<GradientStop>& stops() const { return m_stops; }

private:
    std::vector<GradientStop> m_stops;
};

// The only colour space here: device RGB.
struct ColorSpace {
    enum class Model { DeviceRGB };
    Model model{Model::DeviceRGB};
};

} // namespace quartz

using CGColorSpaceRef = std::shared_ptr<const quartz::ColorSpace>;
using CGGradientRef = std::shared_ptr<const quartz::Gradient>;

// Bit flags for CGContextDrawLinearGradient: paint the end colours beyond the two ends.
using CGGradientDrawingOptions = unsigned;
inline constexpr CGGradientDrawingOptions kCGGradientDrawsBeforeStartLocation = 1u << 0;
inline constexpr CGGradientDrawingOptions kCGGradientDrawsAfterEndLocation = 1u << 1;

CGColorSpaceRef CGColorSpaceCreateDeviceRGB();
void CGColorSpaceRelease(CGColorSpaceRef& space);

// `components` holds count RGBA quadruples; `locations` holds count values or is null.
CGGradientRef CGGradientCreateWithColorComponents(const CGColorSpaceRef& space,
                                                  const double* components, const double* locations,
                                                  std::size_t count);
// `locations` holds colors.size() values or is null.
CGGradientRef CGGradientCreateWithColors(const CGColorSpaceRef& space,
                                         const std::vector<CGColorRef>& colors,
                                         const double* locations);
void CGGradientRelease(CGGradientRef& gradient);
