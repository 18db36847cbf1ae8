#include "pane/colour/TBBrightnessSaturationView.hpp"

#include "pane/colour/gradient_painting.hpp"

namespace tintbox::pane {
namespace {
[[maybe_unused]] const Class registeredAtLoad = TBBrightnessSaturationView::registerRuntimeClass();
} // namespace

Class TBBrightnessSaturationView::registerRuntimeClass() {
    UIView::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<TBBrightnessSaturationView, UIView>("TBBrightnessSaturationView")
            .method<&TBBrightnessSaturationView::hue>("hue")
            .method<&TBBrightnessSaturationView::setHue>("setHue:")
            .method<&TBBrightnessSaturationView::drawRect>("drawRect:")
            .ivar<&TBBrightnessSaturationView::m_hue>("_hue");
    return cls;
}

void TBBrightnessSaturationView::setHue(double hue) {
    m_hue = hue;
    setNeedsDisplay();
}

void TBBrightnessSaturationView::drawRect(CGRect) {
    const double w = frame().size.width;
    const double h = frame().size.height;
    paintGradientLayers(*this, {
                                   {{hsb(m_hue, 1, 1), quartz::Color::white()}, {w, 0}, {0, 0}},
                                   {{{0, 0, 0, 0}, {0, 0, 0, 1}}, {0, 0}, {0, h}},
                               });
}

} // namespace tintbox::pane
