// The HSB colour picker shared by TBColorPickerView_H, _S and _B: a square of two components
// with a crosshair, a strip of the third with a marker, three value labels that open entry
// alerts, and two callbacks to the owner (colorsHaveChangedBlock while the colour changes,
// saveChangesBlock when a gesture or an entry ends). The variant (picker_variant.hpp) says
// which component goes where. Make one through the runtime, as the colour cell does:
//   auto picker = TBColorPickerView::make(objc_getClass("TBColorPickerView_H"), frame, colour,
//                                         changed, save);
#pragma once

#include "pane/colour/hsb_values.hpp"
#include "pane/colour/picker_variant.hpp"
#include "platform/uikit/UIAlertView.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIEvent.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIView.hpp"

#include <functional>

namespace tintbox::pane {

// A picker's callback; the colour is only borrowed for the call.
using ColorCallback = std::function<void(UIColor*)>;

// Tags of the entry alerts, one per component.
inline constexpr NSInteger kHueAlertTag = 3026;
inline constexpr NSInteger kBrightnessAlertTag = 3027;
inline constexpr NSInteger kSaturationAlertTag = 3028;

// The path of the strip marker's image on the device.
inline constexpr std::string_view kSelectorImagePath =
    "/Library/PreferenceBundles/Tintbox.bundle/Selector.png";

class TBColorPickerView : public UIView {
public:
    // A picker of the runtime class cls (one of the three) through
    // initWithFrame:color:colorsHaveChangedBlock:saveChangesBlock:.
    static objc::Ref<TBColorPickerView> make(Class cls, CGRect frame, UIColor* color,
                                             ColorCallback colorsHaveChanged,
                                             ColorCallback saveChanges);

    // initWithFrame:color:colorsHaveChangedBlock:saveChangesBlock:; answers the receiver.
    UIView* initWithFrameColor(CGRect frame, UIColor* color, ColorCallback colorsHaveChanged,
                               ColorCallback saveChanges);
    void layoutSubviews();

    // Shows the colour and makes it `color`, without calling back: a touch that lands on the
    // colour shown before is then a change to report.
    void setColor(UIColor* color);
    UIColor* color() const { return m_color.get(); }
    // Reports a colour that a touch or an entry produced (colorsHaveChangedBlock when it
    // differs from `color`, which it then becomes).
    void reportColor(UIColor* color);

    ColorCallback colorsHaveChangedBlock() const { return m_colorsHaveChangedBlock; }
    void setColorsHaveChangedBlock(ColorCallback block) { m_colorsHaveChangedBlock = block; }
    ColorCallback saveChangesBlock() const { return m_saveChangesBlock; }
    void setSaveChangesBlock(ColorCallback block) { m_saveChangesBlock = block; }

    const HsbValues& currentValues() const { return m_current; }
    double labelHeight() const { return m_labelHeight; }

    UIView* squareView() const { return m_squareView.get(); }
    UIView* stripView() const { return m_stripView.get(); }
    UIButton* squareCatcher() const { return m_squareCatcher.get(); }
    UIButton* stripCatcher() const { return m_stripCatcher.get(); }
    UIImageView* stripMarker() const { return m_stripMarker.get(); }
    UIView* crossHairs() const { return m_crossHairs.get(); }
    UILabel* topLeftLabel() const { return m_topLeftLabel.get(); }
    UILabel* topRightLabel() const { return m_topRightLabel.get(); }
    UILabel* stripValueLabel() const { return m_stripValueLabel.get(); }
    // The label that shows the component, wherever the variant puts it.
    UILabel* labelOf(HsbComponent component) const;
    UILabel* currentHueLabel() const { return labelOf(HsbComponent::Hue); }
    UILabel* currentSaturationLabel() const { return labelOf(HsbComponent::Saturation); }
    UILabel* currentBrightnessLabel() const { return labelOf(HsbComponent::Brightness); }

    // Marker placement from the current values.
    void updateCrosshairPosition();
    void updateStripMarkerPosition();
    // New values from a point (already clamped), then the display and the report.
    void updateStripWithTouch(CGPoint point);
    void updateSquareWithTouch(CGPoint point);
    // The gradient views' inputs and the value labels.
    void updateStripSelector();
    void updateSquareSelector();

    // Targets of the two touch catchers.
    void touchesMovedButton(UIButton* sender, UIEvent* event);
    void touchesEndedButton(UIButton* sender, UIEvent* event);
    // A point in the picker's coordinates: picked, clamped to the square or strip, or ignored.
    void dispatchTouchEvent(CGPoint point, bool moving);

    void askUserForHue() { askUserFor(HsbComponent::Hue); }
    void askUserForSaturation() { askUserFor(HsbComponent::Saturation); }
    void askUserForBrightness() { askUserFor(HsbComponent::Brightness); }
    void alertViewClickedButtonAtIndex(UIAlertView* alert, NSInteger index);

protected:
    explicit TBColorPickerView(const PickerVariant& variant) : m_variant(variant) {}

    // The selectors every picker answers, plus the variant's own names.
    template <class T>
    static void registerPickerMethods(objc::ClassBuilder<T, UIView>& builder,
                                      const PickerVariant& variant);

private:
    // Shows the colour in the square, the strip and the labels; `color` stays as it is.
    void showColor(UIColor* color);
    CGRect squareFrame() const;
    CGRect stripFrame() const;
    void askUserFor(HsbComponent component);
    void fillCrossHairs(UIColor* color);
    void showCurrentValues();
    void callSaveChanges();

    const PickerVariant& m_variant;
    HsbValues m_current;
    double m_labelHeight{0};
    ColorCallback m_colorsHaveChangedBlock;
    ColorCallback m_saveChangesBlock;
    objc::Ref<UIColor> m_color;
    objc::Ref<UIView> m_squareView;
    objc::Ref<UIButton> m_squareCatcher;
    objc::Ref<UILabel> m_topLeftLabel;
    objc::Ref<UILabel> m_topRightLabel;
    objc::Ref<UIView> m_crossHairs;
    objc::Ref<UIView> m_stripView;
    objc::Ref<UIButton> m_stripCatcher;
    objc::Ref<UILabel> m_stripValueLabel;
    objc::Ref<UIImageView> m_stripMarker;
};

template <class T>
void TBColorPickerView::registerPickerMethods(objc::ClassBuilder<T, UIView>& builder,
                                              const PickerVariant& variant) {
    using P = TBColorPickerView;
    builder
        .template method<&P::initWithFrameColor>(
            "initWithFrame:color:colorsHaveChangedBlock:saveChangesBlock:")
        .template method<&P::layoutSubviews>("layoutSubviews")
        .template method<&P::setColor>("setColor:")
        .template method<&P::color>("color")
        .template method<&P::reportColor>("_setColor:")
        .template method<&P::colorsHaveChangedBlock>("colorsHaveChangedBlock")
        .template method<&P::setColorsHaveChangedBlock>("setColorsHaveChangedBlock:")
        .template method<&P::saveChangesBlock>("saveChangesBlock")
        .template method<&P::setSaveChangesBlock>("setSaveChangesBlock:")
        .template method<&P::crossHairs>("crossHairs")
        .template method<&P::currentHueLabel>("currentHueLabel")
        .template method<&P::currentSaturationLabel>("currentSaturationLabel")
        .template method<&P::currentBrightnessLabel>("currentBrightnessLabel")
        .template method<&P::updateCrosshairPosition>("_updateCrosshairPosition")
        .template method<&P::touchesMovedButton>("touchesMovedButton:withEvent:")
        .template method<&P::touchesEndedButton>("touchesEndedButton:withEvent:")
        .template method<&P::dispatchTouchEvent>("dispatchTouchEvent:isMoving:")
        .template method<&P::askUserForHue>("askUserForHue")
        .template method<&P::askUserForSaturation>("askUserForSaturation")
        .template method<&P::askUserForBrightness>("askUserForBrightness")
        .template method<&P::alertViewClickedButtonAtIndex>("alertView:clickedButtonAtIndex:")
        .template method<&P::squareView>(variant.squareViewProperty)
        .template method<&P::stripView>(variant.stripViewProperty)
        .template method<&P::squareCatcher>(variant.squareCatcherProperty)
        .template method<&P::stripCatcher>(variant.stripCatcherProperty)
        .template method<&P::stripMarker>(variant.stripMarkerProperty)
        .template method<&P::updateStripWithTouch>(variant.stripTouchSelector)
        .template method<&P::updateSquareWithTouch>(variant.squareTouchSelector)
        .template method<&P::updateStripSelector>(variant.stripUpdateSelector)
        .template method<&P::updateSquareSelector>(variant.squareUpdateSelector)
        .template method<&P::updateStripMarkerPosition>(variant.stripMarkerPositionSelector);
}

} // namespace tintbox::pane
