// The hue picker: a hue strip under a saturation (across) and brightness (down) square.
// Made through the runtime by the colour cell: TBColorPickerView::make(objc_getClass(
// "TBColorPickerView_H"), frame, colour, changed, save).
#pragma once

#include "pane/colour/TBColorPickerView.hpp"

namespace tintbox::pane {

class TBColorPickerView_H : public TBColorPickerView {
public:
    static Class registerRuntimeClass();

    TBColorPickerView_H();
};

} // namespace tintbox::pane
