// The brightness picker's strip: full brightness at the left end, black at the right end, for
// one hue and saturation. setHue:andSaturation: stores both and asks for a repaint; the single
// setters only store.
//   strip->setHueSaturation(0.6, 0.8);
#pragma once

#include "platform/uikit/UIView.hpp"

namespace tintbox::pane {

class TBBrightnessSliderView : public UIView {
public:
    static Class registerRuntimeClass();

    double hue() const { return m_hue; }
    void setHue(double hue) { m_hue = hue; }
    double saturation() const { return m_saturation; }
    void setSaturation(double saturation) { m_saturation = saturation; }
    void setHueSaturation(double hue, double saturation);

    void drawRect(CGRect rect);

private:
    double m_hue{0};
    double m_saturation{0};
};

} // namespace tintbox::pane
