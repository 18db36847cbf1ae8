// The hue picker's strip: every hue from 0 at the left end to 1 at the right end. It holds no
// state of its own.
//   auto strip = UIView::withFrame<TBHueSliderView>(frame);
#pragma once

#include "platform/uikit/UIView.hpp"

namespace tintbox::pane {

class TBHueSliderView : public UIView {
public:
    static Class registerRuntimeClass();

    void drawRect(CGRect rect);
};

} // namespace tintbox::pane
