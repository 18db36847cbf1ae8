// The brightness picker's square: hue across (0 at the left), saturation down (1 at the top),
// under an even black veil for one brightness. The single setters only store;
// setHue:andSaturation:andBrightness: stores all three and asks for one repaint.
//   square->setHueSaturationBrightness(0.2, 0.5, 0.75);
#pragma once

#include "platform/uikit/UIView.hpp"

namespace tintbox::pane {

class TBHueSaturationView : public UIView {
public:
    static Class registerRuntimeClass();

    double hue() const { return m_hue; }
    void setHue(double hue) { m_hue = hue; }
    double saturation() const { return m_saturation; }
    void setSaturation(double saturation) { m_saturation = saturation; }
    double brightness() const { return m_brightness; }
    void setBrightness(double brightness) { m_brightness = brightness; }
    void setHueSaturationBrightness(double hue, double saturation, double brightness);

    void drawRect(CGRect rect);

private:
    double m_hue{0};
    double m_saturation{0};
    double m_brightness{0};
};

} // namespace tintbox::pane
