#include "pane/colour/TBHueSliderView.hpp"

#include "pane/colour/gradient_painting.hpp"

namespace tintbox::pane {
namespace {
[[maybe_unused]] const Class registeredAtLoad = TBHueSliderView::registerRuntimeClass();
} // namespace

Class TBHueSliderView::registerRuntimeClass() {
    UIView::registerRuntimeClass();
    static const Class cls = objc::ClassBuilder<TBHueSliderView, UIView>("TBHueSliderView")
                                 .method<&TBHueSliderView::drawRect>("drawRect:");
    return cls;
}

void TBHueSliderView::drawRect(CGRect) {
    paintGradientLayers(*this, {{hueRamp(), {0, 0}, {frame().size.width, 0}}});
}

} // namespace tintbox::pane
