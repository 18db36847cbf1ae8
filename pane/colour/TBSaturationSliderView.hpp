// The saturation picker's strip: full saturation at the left end, the grey of the same
// brightness at the right end, for one hue and brightness. setHue:andBrightness: stores both
// and asks for a repaint; the single setters only store.
//   strip->setHueBrightness(0.6, 0.8);
#pragma once

#include "platform/uikit/UIView.hpp"

namespace tintbox::pane {

class TBSaturationSliderView : public UIView {
public:
    static Class registerRuntimeClass();

    double hue() const { return m_hue; }
    void setHue(double hue) { m_hue = hue; }
    double brightness() const { return m_brightness; }
    void setBrightness(double brightness) { m_brightness = brightness; }
    void setHueBrightness(double hue, double brightness);

    void drawRect(CGRect rect);

private:
    double m_hue{0};
    double m_brightness{0};
};

} // namespace tintbox::pane
