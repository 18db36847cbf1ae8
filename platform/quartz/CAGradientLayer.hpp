// A layer that fills its bounds with a linear gradient of `colors` at `locations` (empty:
// evenly spaced; repeated locations make hard stops) along startPoint -> endPoint, given in
// the unit square of the bounds; the default runs from the top middle to the bottom middle.
//   gradient->setColors({red, red, blue, blue});  gradient->setLocations({0, .5, .5, 1});
#pragma once

#include "platform/quartz/CALayer.hpp"

#include <vector>

class CAGradientLayer : public CALayer {
public:
    static Class registerRuntimeClass();

    // By value, as messages carry them (msgSend<std::vector<CGColorRef>>(layer, colors)).
    std::vector<CGColorRef> colors() const { return m_colors; }
    void setColors(std::vector<CGColorRef> colors) { m_colors = std::move(colors); }
    std::vector<double> locations() const { return m_locations; }
    void setLocations(std::vector<double> locations) { m_locations = std::move(locations); }
    CGPoint startPoint() const { return m_startPoint; }
    void setStartPoint(CGPoint point) { m_startPoint = point; }
    CGPoint endPoint() const { return m_endPoint; }
    void setEndPoint(CGPoint point) { m_endPoint = point; }

private:
    std::vector<CGColorRef> m_colors;
    std::vector<double> m_locations;
    CGPoint m_startPoint{0.5, 0};
    CGPoint m_endPoint{0.5, 1};
};
