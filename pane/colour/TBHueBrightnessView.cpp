#include "pane/colour/TBHueBrightnessView.hpp"

#include "pane/colour/gradient_painting.hpp"

namespace tintbox::pane {
namespace {
[[maybe_unused]] const Class registeredAtLoad = TBHueBrightnessView::registerRuntimeClass();
} // namespace

Class TBHueBrightnessView::registerRuntimeClass() {
    UIView::registerRuntimeClass();
    static const Class cls = objc::ClassBuilder<TBHueBrightnessView, UIView>("TBHueBrightnessView")
                                 .method<&TBHueBrightnessView::hue>("hue")
                                 .method<&TBHueBrightnessView::setHue>("setHue:")
                                 .method<&TBHueBrightnessView::saturation>("saturation")
                                 .method<&TBHueBrightnessView::setSaturation>("setSaturation:")
                                 .method<&TBHueBrightnessView::brightness>("brightness")
                                 .method<&TBHueBrightnessView::setBrightness>("setBrightness:")
                                 .method<&TBHueBrightnessView::setHueSaturationBrightness>(
                                     "setHue:andSaturation:andBrightness:")
                                 .method<&TBHueBrightnessView::drawRect>("drawRect:")
                                 .ivar<&TBHueBrightnessView::m_hue>("_hue")
                                 .ivar<&TBHueBrightnessView::m_saturation>("_saturation")
                                 .ivar<&TBHueBrightnessView::m_brightness>("_brightness");
    return cls;
}

void TBHueBrightnessView::setHueSaturationBrightness(double hue, double saturation,
                                                     double brightness) {
    m_hue = hue;
    m_saturation = saturation;
    m_brightness = brightness;
    setNeedsDisplay();
}

void TBHueBrightnessView::drawRect(CGRect) {
    const double w = frame().size.width;
    const double h = frame().size.height;
    const double fade = 1 - m_saturation;
    paintGradientLayers(*this, {
                                   {reversedHueRamp(), {w, 0}, {0, 0}},
                                   {{{0, 0, 0, 0}, {0, 0, 0, 1}}, {0, 0}, {0, h}},
                                   {{{1, 1, 1, fade}, {0, 0, 0, fade}}, {0, 0}, {0, h}},
                               });
}

} // namespace tintbox::pane
