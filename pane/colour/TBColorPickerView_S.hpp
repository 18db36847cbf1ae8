// The saturation picker: a saturation strip (1 at the left) under a hue (across) and
// brightness (down) square. Made through the runtime by the colour cell:
// TBColorPickerView::make(objc_getClass("TBColorPickerView_S"), frame, colour, changed, save).
#pragma once

#include "pane/colour/TBColorPickerView.hpp"

namespace tintbox::pane {

class TBColorPickerView_S : public TBColorPickerView {
public:
    static Class registerRuntimeClass();

    TBColorPickerView_S();
};

} // namespace tintbox::pane
