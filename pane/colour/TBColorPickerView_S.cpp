#include "pane/colour/TBColorPickerView_S.hpp"

#include "pane/colour/TBHueBrightnessView.hpp"
#include "pane/colour/TBSaturationSliderView.hpp"

namespace tintbox::pane {
namespace {

constexpr PickerVariant kSaturationPicker{
    .squareX = HsbComponent::Hue,
    .squareY = HsbComponent::Brightness,
    .strip = HsbComponent::Saturation,
    .stripReversed = true,
    .makeSquare = [](CGRect frame) -> objc::Ref<UIView> {
        return UIView::withFrame<TBHueBrightnessView>(frame);
    },
    .makeStrip = [](CGRect frame) -> objc::Ref<UIView> {
        return UIView::withFrame<TBSaturationSliderView>(frame);
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
            static const SEL set = sel_registerName("setHue:andBrightness:");
            if (strip)
                objc::msgSend<void(double, double)>(strip, set, values.hue, values.brightness);
        },
    .topLeftPlaceholder = ":Hue",
    .topRightPlaceholder = "Brightness:",
    .squareViewProperty = "hueBrightnessView",
    .stripViewProperty = "saturationGradientView",
    .squareCatcherProperty = "touchEaterHueBrightness",
    .stripCatcherProperty = "touchEaterSaturation",
    .stripMarkerProperty = "saturationSelector",
    .stripTouchSelector = "_updateSaturationWithTouch:",
    .squareTouchSelector = "_updateHueBrightnessWithTouch:",
    .stripUpdateSelector = "_updateSaturationSelector",
    .squareUpdateSelector = "_updateHueBrigntesSelector",
    .stripMarkerPositionSelector = "_updateSaturationSelectorPosition",
};

[[maybe_unused]] const Class registeredAtLoad = TBColorPickerView_S::registerRuntimeClass();

} // namespace

Class TBColorPickerView_S::registerRuntimeClass() {
    UIView::registerRuntimeClass();
    TBHueBrightnessView::registerRuntimeClass();
    TBSaturationSliderView::registerRuntimeClass();
    static const Class cls = [] {
        objc::ClassBuilder<TBColorPickerView_S, UIView> builder("TBColorPickerView_S");
        registerPickerMethods(builder, kSaturationPicker);
        return builder.cls();
    }();
    return cls;
}

TBColorPickerView_S::TBColorPickerView_S() : TBColorPickerView(kSaturationPicker) {}

} // namespace tintbox::pane
