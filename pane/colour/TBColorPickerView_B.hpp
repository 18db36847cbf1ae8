// The brightness picker: a brightness strip (1 at the left) under a hue (across) and
// saturation (down) square. Made through the runtime by the colour cell:
// TBColorPickerView::make(objc_getClass("TBColorPickerView_B"), frame, colour, changed, save).
#pragma once

#include "pane/colour/TBColorPickerView.hpp"

namespace tintbox::pane {

class TBColorPickerView_B : public TBColorPickerView {
public:
    static Class registerRuntimeClass();

    TBColorPickerView_B();
};

} // namespace tintbox::pane
