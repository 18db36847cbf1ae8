#include "platform/quartz/gradient.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace quartz {

Gradient::Gradient(std::span<const Color> colors, std::span<const double> locations) {
    if (colors.empty())
        throw std::invalid_argument("a gradient needs at least one colour");
    if (!locations.empty() && locations.size() != colors.size())
        throw std::invalid_argument("a gradient needs one location per colour");
    m_stops.reserve(colors.size());
    for (std::size_t i = 0; i < colors.size(); ++i) {
        double location = 0;
        if (!locations.empty()) {
            if (std::isnan(locations[i]))
                throw std::invalid_argument("a gradient location is not a number");
            location = std::clamp(locations[i], 0.0, 1.0);
        } else if (colors.size() > 1) {
            location = static_cast<double>(i) / static_cast<double>(colors.size() - 1);
        }
        m_stops.push_back({location, colors[i]});
    }
    std::stable_sort(m_stops.begin(), m_stops.end(),
                     [](const auto& a, const auto& b) { return a.location < b.location; });
}

} // namespace quartz

CGColorSpaceRef CGColorSpaceCreateDeviceRGB() {
    return std::make_shared<const quartz::ColorSpace>();
}

void CGColorSpaceRelease(CGColorSpaceRef& space) {
    space.reset();
}

CGGradientRef CGGradientCreateWithColorComponents(const CGColorSpaceRef&, const double* components,
                                                  const double* locations, std::size_t count) {
    if (count > 0 && !components)
        throw std::invalid_argument("gradient colour components are missing");
    std::vector<quartz::Color> colors;
    colors.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double* c = components + 4 * i;
        colors.push_back({c[0], c[1], c[2], c[3]});
    }
    return std::make_shared<const quartz::Gradient>(
        colors, locations ? std::span<const double>(locations, count) : std::span<const double>());
}

CGGradientRef CGGradientCreateWithColors(const CGColorSpaceRef&,
                                         const std::vector<CGColorRef>& colors,
                                         const double* locations) {
    return std::make_shared<const quartz::Gradient>(
        colors,
        locations ? std::span<const double>(locations, colors.size()) : std::span<const double>());
}

void CGGradientRelease(CGGradientRef& gradient) {
    gradient.reset();
}
