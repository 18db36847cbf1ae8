#include "pane/colour/TBBrightnessSliderView.hpp"

#include "pane/colour/gradient_painting.hpp"

namespace tintbox::pane {
namespace {
[[maybe_unused]] const Class registeredAtLoad = TBBrightnessSliderView::registerRuntimeClass();
} // namespace

Class TBBrightnessSliderView::registerRuntimeClass() {
    UIView::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<TBBrightnessSliderView, UIView>("TBBrightnessSliderView")
            .method<&TBBrightnessSliderView::hue>("hue")
            .method<&TBBrightnessSliderView::setHue>("setHue:")
            .method<&TBBrightnessSliderView::saturation>("saturation")
            .method<&TBBrightnessSliderView::setSaturation>("setSaturation:")
            .method<&TBBrightnessSliderView::setHueSaturation>("setHue:andSaturation:")
            .method<&TBBrightnessSliderView::drawRect>("drawRect:")
            .ivar<&TBBrightnessSliderView::m_hue>("_hue")
            .ivar<&TBBrightnessSliderView::m_saturation>("_saturation");
    return cls;
}

void TBBrightnessSliderView::setHueSaturation(double hue, double saturation) {
    m_hue = hue;
    m_saturation = saturation;
    setNeedsDisplay();
}

void TBBrightnessSliderView::drawRect(CGRect) {
    paintGradientLayers(
        *this,
        {{{hsb(m_hue, m_saturation, 1), quartz::Color::black()}, {0, 0}, {frame().size.width, 0}}});
}

} // namespace tintbox::pane
