// UIScreen: the one screen of the process. Its bounds are set per app (default 320 x 568
// points) and its scale is the renderer's default (2 pixels per point).
//   UIScreen::mainScreen()->setBounds(CGRectMake(0, 0, 375, 667));
#pragma once

#include "platform/objc/objc.hpp"
#include "platform/quartz/geometry.hpp"

class UIScreen : public NSObject {
public:
    static Class registerRuntimeClass();
    static UIScreen* mainScreen();

    CGRect bounds() const { return m_bounds; }
    void setBounds(CGRect bounds) { m_bounds = bounds.standardized(); }
    double scale() const { return m_scale; }
    // Throws std::invalid_argument for a scale that is not positive.
    void setScale(double scale);

private:
    CGRect m_bounds{{0, 0}, {320, 568}};
    double m_scale{2};
};
