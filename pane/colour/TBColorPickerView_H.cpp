#include "pane/colour/TBColorPickerView_H.hpp"

#include "pane/colour/TBBrightnessSaturationView.hpp"
#include "pane/colour/TBHueSliderView.hpp"

namespace tintbox::pane {
namespace {

constexpr PickerVariant kHuePicker{
    .squareX = HsbComponent::Saturation,
    .squareY = HsbComponent::Brightness,
    .strip = HsbComponent::Hue,
    .stripReversed = false,
    .makeSquare = [](CGRect frame) -> objc::Ref<UIView> {
        return UIView::withFrame<TBBrightnessSaturationView>(frame);
    },
    .makeStrip = [](CGRect frame) -> objc::Ref<UIView> {
        return UIView::withFrame<TBHueSliderView>(frame);
    },
    .feedSquare =
        [](UIView* square, const HsbValues& values) {
            static const SEL setHue = sel_registerName("setHue:");
            if (square)
                objc::msgSend<void(double)>(square, setHue, values.hue);
        },
    .feedStrip = [](UIView*, const HsbValues&) {},
    .topLeftPlaceholder = "Brightness:",
    .topRightPlaceholder = ":Saturation",
    .squareViewProperty = "brightnessSaturationView",
    .stripViewProperty = "hueGradientView",
    .squareCatcherProperty = "touchEaterBrightnessSaturation",
    .stripCatcherProperty = "touchEaterHueSaturation",
    .stripMarkerProperty = "hueSelector",
    .stripTouchSelector = "_updateHueWithTouch:",
    .squareTouchSelector = "_updateBrightnessSaturationWithTouch:",
    .stripUpdateSelector = "_updateHueSelector",
    .squareUpdateSelector = "_updateBrigntessSaturationSelector",
    .stripMarkerPositionSelector = "_updateHueSelectorPosition",
};

[[maybe_unused]] const Class registeredAtLoad = TBColorPickerView_H::registerRuntimeClass();

} // namespace

Class TBColorPickerView_H::registerRuntimeClass() {
    UIView::registerRuntimeClass();
    TBBrightnessSaturationView::registerRuntimeClass();
    TBHueSliderView::registerRuntimeClass();
    static const Class cls = [] {
        objc::ClassBuilder<TBColorPickerView_H, UIView> builder("TBColorPickerView_H");
        registerPickerMethods(builder, kHuePicker);
        return builder.cls();
    }();
    return cls;
}

TBColorPickerView_H::TBColorPickerView_H() : TBColorPickerView(kHuePicker) {}

} // namespace tintbox::pane
