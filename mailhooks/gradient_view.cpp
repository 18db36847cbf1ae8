#include "mailhooks/gradient_view.hpp"

namespace tintbox::mailhooks {

Class GradientView::registerRuntimeClass() {
    static const Class cls = [] {
        UIView::registerRuntimeClass();
        CAGradientLayer::registerRuntimeClass();
        return objc::ClassBuilder<GradientView, UIView>("GradientView")
            .classMethod(
                "layerClass", +[](Class, SEL) { return objc_getClass("CAGradientLayer"); })
            .cls();
    }();
    return cls;
}

CAGradientLayer* GradientView::gradientLayer() const {
    return static_cast<CAGradientLayer*>(layer());
}

} // namespace tintbox::mailhooks

namespace tintbox::mailhooks {

GradientView* gradientBandWithTag(UIView* view, NSInteger tag) {
    return view ? dynamic_cast<GradientView*>(view->viewWithTag(tag)) : nullptr;
}

void showGradient(GradientView& band, const BandGradient& gradient) {
    band.gradientLayer()->setColors(gradient.colours);
    band.gradientLayer()->setLocations(gradient.locations);
}

void showColours(GradientView& band, std::vector<quartz::Color> colours) {
    band.gradientLayer()->setColors(std::move(colours));
}

} // namespace tintbox::mailhooks
