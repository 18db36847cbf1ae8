#include "pane/colour/TBSaturationSliderView.hpp"

#include "pane/colour/gradient_painting.hpp"

namespace tintbox::pane {
namespace {
[[maybe_unused]] const Class registeredAtLoad = TBSaturationSliderView::registerRuntimeClass();
} // namespace

Class TBSaturationSliderView::registerRuntimeClass() {
    UIView::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<TBSaturationSliderView, UIView>("TBSaturationSliderView")
            .method<&TBSaturationSliderView::hue>("hue")
            .method<&TBSaturationSliderView::setHue>("setHue:")
            .method<&TBSaturationSliderView::brightness>("brightness")
            .method<&TBSaturationSliderView::setBrightness>("setBrightness:")
            .method<&TBSaturationSliderView::setHueBrightness>("setHue:andBrightness:")
            .method<&TBSaturationSliderView::drawRect>("drawRect:")
            .ivar<&TBSaturationSliderView::m_hue>("_hue")
            .ivar<&TBSaturationSliderView::m_brightness>("_brightness");
    return cls;
}

void TBSaturationSliderView::setHueBrightness(double hue, double brightness) {
    m_hue = hue;
    m_brightness = brightness;
    setNeedsDisplay();
}

void TBSaturationSliderView::drawRect(CGRect) {
    paintGradientLayers(*this, {{{hsb(m_hue, 1, m_brightness), hsb(0, 0, m_brightness)},
                                 {0, 0},
                                 {frame().size.width, 0}}});
}

} // namespace tintbox::pane
