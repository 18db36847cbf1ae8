#include "pane/colour/TBColorPickerView.hpp"

#include "platform/foundation/device_path.hpp"
#include "platform/foundation/value.hpp"
#include "platform/uikit/UIAlertView.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIEvent.hpp"
#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UITextField.hpp"

#include <algorithm>

namespace tintbox::pane {
namespace {

// Flexible left margin, width, right margin and top margin.
constexpr UIViewAutoresizing kLabelRowMask = 15;
// Flexible width and top margin.
constexpr UIViewAutoresizing kGradientMask = 10;

constexpr double kMarkerWidth = 16;
constexpr double kMarkerHeight = 48;

SEL sel(std::string_view name) {
    return sel_registerName(std::string(name).c_str());
}

objc::Ref<UILabel> makeLabel(CGRect frame, const std::string& text, NSTextAlignment alignment) {
    auto label = UIView::withFrame<UILabel>(frame);
    label->setNumberOfLines(1);
    label->setText(text);
    label->setBackgroundColor(UIColor::clearColor().get());
    label->setTextColor(UIColor::blueColor().get());
    label->setTextAlignment(alignment);
    label->setAutoresizingMask(kLabelRowMask);
    return label;
}

// A transparent, faintly shaded button over a value label that opens its entry alert.
objc::Ref<UIButton> makeEntryButton(CGRect frame, NSObject* target, std::string_view action) {
    auto button = UIButton::buttonWithType(UIButtonTypeRoundedRect);
    button->setFrame(frame);
    button->setTitle("", UIControlStateNormal);
    button->addTarget(target, sel(action), UIControlEventTouchUpInside);
    button->layer()->setCornerRadius(5);
    button->setBackgroundColor(UIColor::colorWithRed(0, 0, 0, 0.04).get());
    button->setAutoresizingMask(kLabelRowMask);
    return button;
}

objc::Ref<UIButton> makeTouchCatcher(CGRect frame, NSObject* target) {
    auto button = UIButton::buttonWithType(UIButtonTypeRoundedRect);
    button->setFrame(frame);
    button->setAlpha(1.0);
    button->addTarget(target, sel("touchesMovedButton:withEvent:"), UIControlEventTouchDragInside);
    button->addTarget(target, sel("touchesEndedButton:withEvent:"),
                      UIControlEventTouchUpInside | UIControlEventTouchUpOutside);
    return button;
}

void frameGradientView(UIView& view) {
    view.setAutoresizingMask(kGradientMask);
    view.layer()->setBorderWidth(1.0);
    view.layer()->setBorderColor(UIColor::blackColor()->CGColor());
    view.layer()->setCornerRadius(6.0);
    view.layer()->setMasksToBounds(true);
}

std::string askAction(HsbComponent component) {
    return "askUserFor" + componentName(component);
}

NSInteger alertTag(HsbComponent component) {
    switch (component) {
    case HsbComponent::Hue:
        return kHueAlertTag;
    case HsbComponent::Saturation:
        return kSaturationAlertTag;
    case HsbComponent::Brightness:
        break;
    }
    return kBrightnessAlertTag;
}

std::string amountText(HsbComponent component, double value) {
    return std::to_string(displayAmount(component, value)) + componentUnit(component);
}

// "Brightness: 13%" / "Saturation: 13%".
std::string topLeftText(HsbComponent component, double value) {
    return componentName(component) + ": " + amountText(component, value);
}

// "13% :Saturation" / "180° : Hue".
std::string topRightText(HsbComponent component, double value) {
    const std::string separator = component == HsbComponent::Hue ? " : " : " :";
    return amountText(component, value) + separator + componentName(component);
}

} // namespace

objc::Ref<TBColorPickerView> TBColorPickerView::make(Class cls, CGRect frame, UIColor* color,
                                                     ColorCallback colorsHaveChanged,
                                                     ColorCallback saveChanges) {
    static const SEL init = sel("initWithFrame:color:colorsHaveChangedBlock:saveChangesBlock:");
    auto picker = objc::dynamicCast<TBColorPickerView>(class_createInstance(cls));
    if (picker)
        objc::msgSend<UIView*(CGRect, UIColor*, ColorCallback, ColorCallback)>(
            picker, init, frame, color, std::move(colorsHaveChanged), std::move(saveChanges));
    return picker;
}

UIView* TBColorPickerView::initWithFrameColor(CGRect frame, UIColor* color,
                                              ColorCallback colorsHaveChanged,
                                              ColorCallback saveChanges) {
    objc::msgSend<void(CGRect)>(this, sel("setFrame:"), frame);
    m_color = color;
    m_colorsHaveChangedBlock = std::move(colorsHaveChanged);
    m_saveChangesBlock = std::move(saveChanges);

    const double w = frame.size.width;
    {
        auto scratch =
            makeLabel(CGRectMake(10, 10, w / 2 - 20, 40), "Brightness:", NSTextAlignmentLeft);
        scratch->sizeToFit();
        m_labelHeight = scratch->frame().size.height;
    }
    const double lh = m_labelHeight;

    const CGRect topLeft = CGRectMake(10, 10, w / 2 - 20, lh);
    m_topLeftLabel =
        makeLabel(topLeft, std::string(m_variant.topLeftPlaceholder), NSTextAlignmentLeft);
    auto topLeftButton = makeEntryButton(topLeft, this, askAction(m_variant.squareY));

    const CGRect topRight = CGRectMake(w / 2 + 10, 10, w / 2 - 20, lh);
    m_topRightLabel =
        makeLabel(topRight, std::string(m_variant.topRightPlaceholder), NSTextAlignmentRight);
    auto topRightButton = makeEntryButton(topRight, this, askAction(m_variant.squareX));

    const CGRect square = squareFrame();
    m_squareView = m_variant.makeSquare(square);
    frameGradientView(*m_squareView);
    m_squareCatcher = makeTouchCatcher(square, this);

    const CGRect strip = stripFrame();
    m_stripView = m_variant.makeStrip(strip);
    frameGradientView(*m_stripView);
    m_stripMarker = UIView::withFrame<UIImageView>(CGRectMake(
        strip.origin.x - kMarkerWidth / 2, strip.origin.y - 4, kMarkerWidth, kMarkerHeight));
    m_stripMarker->setImage(
        UIImage::imageNamed(foundation::devicePath(kSelectorImagePath).string()).get());
    m_stripMarker->setBackgroundColor(UIColor::clearColor().get());
    m_stripCatcher = makeTouchCatcher(strip, this);

    const double rowTop = strip.origin.y - lh - 4;
    auto stripName = makeLabel(CGRectMake(w / 2 - 100, rowTop, 100, lh),
                               componentName(m_variant.strip) + ":", NSTextAlignmentRight);
    m_stripValueLabel = makeLabel(CGRectMake(w / 2 + 2, rowTop, 100, lh), "", NSTextAlignmentLeft);
    auto stripButton = makeEntryButton(CGRectMake(w / 2 - 100, rowTop, w - 2 * (w / 2 - 100), lh),
                                       this, askAction(m_variant.strip));

    m_crossHairs = UIView::withFrame(CGRectMake(square.origin.x, square.origin.y, 20, 20));
    CALayer* ring = m_crossHairs->layer();
    ring->setCornerRadius(10);
    ring->setBorderColor(quartz::Color::white(1.0, 0.5));
    ring->setBorderWidth(1.0);
    ring->setShadowColor(quartz::Color::black());
    ring->setShadowOffset(CGSizeZero);
    ring->setShadowRadius(1.0);
    ring->setShadowOpacity(1.0);

    setColor(m_color.get());

    for (UIView* view :
         {static_cast<UIView*>(m_topLeftLabel.get()), static_cast<UIView*>(m_topRightLabel.get()),
          m_squareView.get(), m_crossHairs.get(), static_cast<UIView*>(stripName.get()),
          static_cast<UIView*>(m_stripValueLabel.get()), m_stripView.get(),
          static_cast<UIView*>(m_stripMarker.get()), static_cast<UIView*>(m_squareCatcher.get()),
          static_cast<UIView*>(m_stripCatcher.get()), static_cast<UIView*>(topLeftButton.get()),
          static_cast<UIView*>(topRightButton.get()), static_cast<UIView*>(stripButton.get())})
        addSubview(view);
    return this;
}

CGRect TBColorPickerView::squareFrame() const {
    const CGSize size = frame().size;
    return CGRectMake(10, m_labelHeight + 20, size.width - 20, size.height - 100 - m_labelHeight);
}

// 10 points below the square comes the strip's label row, then 4 points, then the strip.
CGRect TBColorPickerView::stripFrame() const {
    const CGRect square = squareFrame();
    return CGRectMake(10, square.origin.y + square.size.height + 14 + m_labelHeight,
                      frame().size.width - 20, 40);
}

void TBColorPickerView::layoutSubviews() {
    UIView::layoutSubviews();
    if (!m_squareView)
        return;
    m_squareView->setFrame(squareFrame());
    m_squareCatcher->setFrame(squareFrame());
    m_stripView->setFrame(stripFrame());
    m_stripCatcher->setFrame(stripFrame());
    updateCrosshairPosition();
    updateStripMarkerPosition();
}

void TBColorPickerView::setColor(UIColor* color) {
    if (!color)
        return;
    // The picker now shows this colour, so a touch that lands on the one it showed before is a
    // change to report.
    m_color = color;
    showColor(color);
}

void TBColorPickerView::showColor(UIColor* color) {
    color->getHue(&m_current.hue, &m_current.saturation, &m_current.brightness, nullptr);
    m_variant.feedStrip(m_stripView.get(), m_current);
    m_variant.feedSquare(m_squareView.get(), m_current);
    updateStripSelector();
    updateSquareSelector();
    updateCrosshairPosition();
    updateStripMarkerPosition();
    fillCrossHairs(color);
}

void TBColorPickerView::reportColor(UIColor* color) {
    if (color && color->isEqual(m_color.get()))
        return;
    objc::Ref<TBColorPickerView> keep(this);
    objc::Ref<UIColor> reported(color);
    if (m_colorsHaveChangedBlock)
        m_colorsHaveChangedBlock(reported.get());
    m_color = reported;
}

UILabel* TBColorPickerView::labelOf(HsbComponent component) const {
    if (component == m_variant.strip)
        return m_stripValueLabel.get();
    if (component == m_variant.squareY)
        return m_topLeftLabel.get();
    return m_topRightLabel.get();
}

void TBColorPickerView::updateCrosshairPosition() {
    if (!m_crossHairs)
        return;
    const CGRect square = squareFrame();
    m_crossHairs->setCenter(
        {m_current[m_variant.squareX] * square.size.width + square.origin.x,
         (1 - m_current[m_variant.squareY]) * square.size.height + square.origin.y});
}

void TBColorPickerView::updateStripMarkerPosition() {
    if (!m_stripMarker)
        return;
    const CGRect strip = stripFrame();
    const double value = m_current[m_variant.strip];
    const double along = m_variant.stripReversed ? 1 - value : value;
    m_stripMarker->setCenter(
        {static_cast<float>(along * strip.size.width + strip.origin.x), strip.midY()});
}

void TBColorPickerView::updateStripWithTouch(CGPoint point) {
    const CGRect strip = stripFrame();
    const double along = (point.x - strip.origin.x) / strip.size.width;
    m_current[m_variant.strip] = m_variant.stripReversed ? 1 - along : along;
    updateStripSelector();
    showCurrentValues();
}

void TBColorPickerView::updateSquareWithTouch(CGPoint point) {
    const CGRect square = squareFrame();
    m_current[m_variant.squareX] = (point.x - square.origin.x) / square.size.width;
    m_current[m_variant.squareY] = 1 - (point.y - square.origin.y) / square.size.height;
    updateSquareSelector();
    showCurrentValues();
}

void TBColorPickerView::showCurrentValues() {
    auto color =
        UIColor::colorWithHue(m_current.hue, m_current.saturation, m_current.brightness, 1.0);
    fillCrossHairs(color.get());
    reportColor(color.get());
}

void TBColorPickerView::updateStripSelector() {
    m_variant.feedSquare(m_squareView.get(), m_current);
    if (m_stripValueLabel)
        m_stripValueLabel->setText(amountText(m_variant.strip, m_current[m_variant.strip]));
}

void TBColorPickerView::updateSquareSelector() {
    m_variant.feedStrip(m_stripView.get(), m_current);
    if (m_topLeftLabel)
        m_topLeftLabel->setText(topLeftText(m_variant.squareY, m_current[m_variant.squareY]));
    if (m_topRightLabel)
        m_topRightLabel->setText(topRightText(m_variant.squareX, m_current[m_variant.squareX]));
}

void TBColorPickerView::fillCrossHairs(UIColor* color) {
    if (m_crossHairs && color)
        m_crossHairs->layer()->setBackgroundColor(color->CGColor());
}

void TBColorPickerView::touchesMovedButton(UIButton* sender, UIEvent* event) {
    if (!event)
        return;
    for (const auto& touch : event->touchesForView(sender))
        dispatchTouchEvent(touch->locationInView(this), true);
}

void TBColorPickerView::touchesEndedButton(UIButton* sender, UIEvent* event) {
    objc::Ref<TBColorPickerView> keep(this);
    if (event) {
        for (const auto& touch : event->touchesForView(sender))
            dispatchTouchEvent(touch->locationInView(this), false);
    }
    callSaveChanges();
}

void TBColorPickerView::callSaveChanges() {
    if (m_saveChangesBlock) {
        objc::Ref<UIColor> color = m_color;
        m_saveChangesBlock(color.get());
    }
}

void TBColorPickerView::dispatchTouchEvent(CGPoint point, bool) {
    const CGRect square = squareFrame();
    const CGRect strip = stripFrame();
    if (!CGRectContainsPoint(square, point)) {
        if (CGRectContainsPoint(strip, point) ||
            (strip.minY() <= point.y && point.y <= strip.maxY())) {
            point.x = std::clamp(point.x, strip.minX(), strip.maxX());
            m_stripMarker->setCenter({point.x, strip.midY()});
            updateStripWithTouch(point);
            return;
        }
        // Touches in the label rows above the square and below it are not picks.
        if (point.y >= m_stripValueLabel->frame().origin.y ||
            point.y <= m_topLeftLabel->frame().origin.y + m_labelHeight)
            return;
        point.x = std::clamp(point.x, square.minX(), square.maxX());
        point.y = std::clamp(point.y, square.minY(), square.maxY());
    }
    m_crossHairs->setCenter(point);
    updateSquareWithTouch(point);
}

void TBColorPickerView::askUserFor(HsbComponent component) {
    const bool hue = component == HsbComponent::Hue;
    const std::string unit = componentUnit(component);
    const std::string message =
        "Please enter a " + componentName(component) + " value between 0" + unit + " and " +
        (hue ? "360" : "100") + unit +
        "\n current value is: " + amountText(component, m_current[component]);
    auto alert = UIAlertView::withTitle("", message, this, "Cancel", {"OK"});
    alert->setAlertViewStyle(UIAlertViewStylePlainTextInput);
    alert->textFieldAtIndex(0)->setKeyboardType(UIKeyboardTypeNumberPad);
    alert->setTag(alertTag(component));
    alert->show();
}

void TBColorPickerView::alertViewClickedButtonAtIndex(UIAlertView* alert, NSInteger index) {
    if (!alert || index != 1)
        return;
    objc::Ref<TBColorPickerView> keep(this);
    const double typed = foundation::Value(alert->textFieldAtIndex(0)->text()).floatValue();
    // The touch path never leaves 0..1; typed values are held there too, so that the colour
    // model never sees a hue past a full turn or a negative saturation.
    switch (alert->tag()) {
    case kHueAlertTag:
        m_current.hue = std::clamp(typed / 360.0, 0.0, 1.0);
        break;
    case kBrightnessAlertTag:
        m_current.brightness = std::clamp(typed / 100.0, 0.0, 1.0);
        break;
    case kSaturationAlertTag:
        m_current.saturation = std::clamp(typed / 100.0, 0.0, 1.0);
        break;
    default:
        break;
    }
    auto color =
        UIColor::colorWithHue(m_current.hue, m_current.saturation, m_current.brightness, 1.0);
    showColor(color.get());
    reportColor(color.get());
    callSaveChanges();
}

} // namespace tintbox::pane
