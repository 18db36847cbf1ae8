#include "pane/colour/TBColorPickerView_B.hpp"

#include "pane/colour/TBBrightnessSliderView.hpp"
#include "pane/colour/TBHueSaturationView.hpp"

namespace tintbox::pane {
namespace {

constexpr PickerVariant kBrightnessPicker{
    .squareX = HsbComponent::Hue,
    .squareY = HsbComponent::Saturation,
    .strip = HsbComponent::Brightness,
    .stripReversed = true,
    .makeSquare = [](CGRect frame) -> objc::Ref<UIView> {
        return UIView::withFrame<TBHueSaturationView>(frame);
    },
    .makeStrip = [](CGRect frame) -> objc::Ref<UIView> {
        return UIView::withFrame<TBBrightnessSliderView>(frame);
    },
    .feedSquare =
        [](UIView* square, const HsbValues& values) {
            static const SEL set = sel_registerName("setHue:andSaturation:andBrightness:");
            if (square)
                objc::msgSend<void(double, double, double)>(square, set, values.hue,
                                                            values.saturation, values.brightness);
        },
    .feedStrip =
        [](UIView* strip, const HsbValues& values) {
            static const SEL set = sel_registerName("setHue:andSaturation:");
            if (strip)
                objc::msgSend<void(double, double)>(strip, set, values.hue, values.saturation);
        },
    .topLeftPlaceholder = "Saturation",
    .topRightPlaceholder = ":Hue",
    .squareViewProperty = "hueSaturationView",
    .stripViewProperty = "brightnessGradientView",
    .squareCatcherProperty = "touchEaterHueSaturation",
    .stripCatcherProperty = "touchEaterBrightness",
    .stripMarkerProperty = "brightnessSelector",
    .stripTouchSelector = "_updateBrightnessWithTouch:",
    .squareTouchSelector = "_updateHueSaturationWithTouch:",
    .stripUpdateSelector = "_updateBrightnessSelector",
    .squareUpdateSelector = "_updateHueSaturationSelector",
    .stripMarkerPositionSelector = "_updateBrightnessSelectorPosition",
};

[[maybe_unused]] const Class registeredAtLoad = TBColorPickerView_B::registerRuntimeClass();

} // namespace

Class TBColorPickerView_B::registerRuntimeClass() {
    UIView::registerRuntimeClass();
    TBHueSaturationView::registerRuntimeClass();
    TBBrightnessSliderView::registerRuntimeClass();
    static const Class cls = [] {
        objc::ClassBuilder<TBColorPickerView_B, UIView> builder("TBColorPickerView_B");
        registerPickerMethods(builder, kBrightnessPicker);
        return builder.cls();
    }();
    return cls;
}

TBColorPickerView_B::TBColorPickerView_B() : TBColorPickerView(kBrightnessPicker) {}

} // namespace tintbox::pane
