#include "pane/colour/TBHueSaturationView.hpp"

#include "pane/colour/gradient_painting.hpp"

namespace tintbox::pane {
namespace {
[[maybe_unused]] const Class registeredAtLoad = TBHueSaturationView::registerRuntimeClass();
} // namespace

Class TBHueSaturationView::registerRuntimeClass() {
    UIView::registerRuntimeClass();
    static const Class cls = objc::ClassBuilder<TBHueSaturationView, UIView>("TBHueSaturationView")
                                 .method<&TBHueSaturationView::hue>("hue")
                                 .method<&TBHueSaturationView::setHue>("setHue:")
                                 .method<&TBHueSaturationView::saturation>("saturation")
                                 .method<&TBHueSaturationView::setSaturation>("setSaturation:")
                                 .method<&TBHueSaturationView::brightness>("brightness")
                                 .method<&TBHueSaturationView::setBrightness>("setBrightness:")
                                 .method<&TBHueSaturationView::setHueSaturationBrightness>(
                                     "setHue:andSaturation:andBrightness:")
                                 .method<&TBHueSaturationView::drawRect>("drawRect:")
                                 .ivar<&TBHueSaturationView::m_hue>("_hue")
                                 .ivar<&TBHueSaturationView::m_saturation>("_saturation")
                                 .ivar<&TBHueSaturationView::m_brightness>("_brightness");
    return cls;
}

void TBHueSaturationView::setHueSaturationBrightness(double hue, double saturation,
                                                     double brightness) {
    m_hue = hue;
    m_saturation = saturation;
    m_brightness = brightness;
    setNeedsDisplay();
}

void TBHueSaturationView::drawRect(CGRect) {
    const double w = frame().size.width;
    const double h = frame().size.height;
    const double veil = 1 - m_brightness;
    paintGradientLayers(*this, {
                                   {reversedHueRamp(), {w, 0}, {0, 0}},
                                   {{{0, 0, 0, 0}, {1, 1, 1, 1}}, {0, 0}, {0, h}},
                                   {{{0, 0, 0, veil}, {0, 0, 0, veil}}, {0, 0}, {0, h}},
                               });
}

} // namespace tintbox::pane
