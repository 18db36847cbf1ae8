// The hue picker's square: saturation from 0 at the left to 1 at the right, brightness from 1
// at the top to 0 at the bottom, for one hue. setHue: stores the hue and asks for a repaint.
//   auto square = UIView::withFrame<TBBrightnessSaturationView>(frame);  square->setHue(0.5);
#pragma once

#include "platform/uikit/UIView.hpp"

namespace tintbox::pane {

class TBBrightnessSaturationView : public UIView {
public:
    static Class registerRuntimeClass();

    double hue() const { return m_hue; }
    void setHue(double hue);

    void drawRect(CGRect rect);

private:
    double m_hue{0};
};

} // namespace tintbox::pane
