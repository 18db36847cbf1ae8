#include "pane/colour/TBSliderCell.hpp"

#include "pane/colour/cell_support.hpp"
#include "platform/foundation/property_list.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"

#include <cmath>

namespace tintbox::pane {
namespace {

[[maybe_unused]] const Class registeredAtLoad = TBSliderCell::registerRuntimeClass();

// Flexible left margin, width and right margin.
constexpr UIViewAutoresizing kStretch = 7;
// Flexible left and right margins.
constexpr UIViewAutoresizing kKeepWidth = 5;

SEL sel(const char* name) {
    return sel_registerName(name);
}

std::string stringProperty(PSSpecifier* specifier, const char* key) {
    const foundation::Value value = specifier->propertyForKey(key);
    return value.asString() ? *value.asString() : std::string();
}

} // namespace

Class TBSliderCell::registerRuntimeClass() {
    PSTableCell::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<TBSliderCell, PSTableCell>("TBSliderCell")
            .method<&TBSliderCell::initWithStyle>("initWithStyle:reuseIdentifier:specifier:")
            .method<&TBSliderCell::refreshCellContentsWithSpecifier>(
                "refreshCellContentsWithSpecifier:")
            .method<&TBSliderCell::enableControls>("enableControls:")
            .method<&TBSliderCell::askUserForInput>("askUserForInput")
            .method<&TBSliderCell::alertViewClickedButtonAtIndex>("alertView:clickedButtonAtIndex:")
            .method<&TBSliderCell::sliderValueChangedAction>("sliderValueChangedAction:")
            .method<&TBSliderCell::sliderTouchUpInsideOutsideAction>(
                "sliderTouchUpInsideOutsideAction:");
    return cls;
}

TBSliderCell* TBSliderCell::initWithStyle(NSInteger, std::string reuseIdentifier,
                                          PSSpecifier* specifier) {
    if (!PSTableCell::initWithStyle(0, std::move(reuseIdentifier), specifier) || !specifier)
        return this;
    m_key = stringProperty(specifier, "key");
    m_defaults = stringProperty(specifier, "defaults");
    m_postNotification = stringProperty(specifier, "PostNotification");
    setBackgroundColor(UIColor::whiteColor().get());
    hideBaseTitle();

    // The subviews are placed for the content view spanning the cell, as it does on the device
    // while a cell is built; later size changes follow their autoresizing masks.
    contentView()->setFrame(bounds());
    const double width = frame().size.width;
    const foundation::Value nameProperty = specifier->propertyForKey("name");
    m_title = UIView::withFrame<UILabel>(CGRectMake(15, 10, width - 120, 20));
    m_title->setNumberOfLines(1);
    m_title->setText(nameProperty.asString() ? *nameProperty.asString() : specifier->name());
    m_title->setBackgroundColor(UIColor::clearColor().get());
    m_title->setTextColor(UIColor::blackColor().get());
    m_title->setTextAlignment(NSTextAlignmentLeft);

    const CGRect valueFrame = CGRectMake(width - 75, 3, 60, 30);
    m_valueButton = UIButton::buttonWithType(UIButtonTypeRoundedRect);
    m_valueButton->setFrame(valueFrame);
    m_valueButton->setTitle("", UIControlStateNormal);
    m_valueButton->addTarget(this, sel("askUserForInput"), UIControlEventTouchUpInside);
    m_valueButton->layer()->setCornerRadius(5);
    m_valueButton->setBackgroundColor(UIColor::colorWithRed(0, 0, 0, 0.04).get());
    m_valueButton->setAutoresizingMask(kKeepWidth);

    m_value = UIView::withFrame<UITextField>(valueFrame);
    m_value->setText("0");
    m_value->setBackgroundColor(UIColor::clearColor().get());
    m_value->setTextColor(UIColor::blueColor().get());
    m_value->setTextAlignment(NSTextAlignmentRight);
    m_value->setEnabled(false);
    m_value->setAutoresizingMask(kKeepWidth);
    const std::string unit = stringProperty(specifier, "type");
    if (!unit.empty()) {
        auto unitLabel = UIView::withFrame<UILabel>(CGRectZero);
        unitLabel->setFont(UIFont::systemFontOfSize(15).get());
        unitLabel->setText(unit);
        unitLabel->setTextColor(UIColor::blueColor().get());
        unitLabel->sizeToFit();
        m_value->setRightView(unitLabel.get());
        m_value->setRightViewMode(UITextFieldViewModeAlways);
        m_value->setReturnKeyType(UIReturnKeyDone);
    }

    m_slider = UIView::withFrame<UISlider>(CGRectMake(15, 28, width - 30, 40));
    m_slider->addTarget(this, sel("sliderValueChangedAction:"), UIControlEventValueChanged);
    m_slider->addTarget(this, sel("sliderTouchUpInsideOutsideAction:"),
                        UIControlEventTouchUpInside | UIControlEventTouchUpOutside);
    m_min = specifier->propertyForKey("min").floatValue();
    m_max = specifier->propertyForKey("max").floatValue();
    m_slider->setMinimumValue(m_min);
    m_slider->setMaximumValue(m_max);
    m_slider->setContinuous(true);
    m_slider->setAutoresizingMask(kStretch);

    m_slider->setValue(specifier->propertyForKey("default").floatValue());
    if (auto file = domainSettingsFile(m_defaults)) {
        if (auto settings = foundation::dictionaryWithContentsOfFile(*file)) {
            if (const foundation::Value* stored = foundation::find(*settings, m_key))
                m_slider->setValue(stored->floatValue());
        }
    }

    m_value->setText(formattedWholeNumber(std::round(m_slider->value() * 100.0f) / 100.0f));

    UIView* content = contentView();
    content->addSubview(m_title.get());
    content->addSubview(m_value.get());
    content->addSubview(m_valueButton.get());
    content->addSubview(m_slider.get());
    return this;
}

void TBSliderCell::refreshCellContentsWithSpecifier(PSSpecifier* specifier) {
    PSTableCell::refreshCellContentsWithSpecifier(specifier);
    hideBaseTitle();
}

// The row draws its own title; the base's text label would lie under it.
void TBSliderCell::hideBaseTitle() {
    textLabel()->setText("");
}

void TBSliderCell::enableControls(bool enabled) {
    m_title->setEnabled(enabled);
    m_value->setEnabled(enabled);
    m_slider->setEnabled(enabled);
    m_value->setAlpha(enabled ? 1.0 : 0.5);
}

void TBSliderCell::showWholeValue() {
    m_value->setText(formattedWholeNumber(wholeSliderValue(m_slider->value())));
}

void TBSliderCell::sliderValueChangedAction(NSObject*) {
    showWholeValue();
}

void TBSliderCell::sliderTouchUpInsideOutsideAction(NSObject*) {
    showWholeValue();
    if (auto file = domainSettingsFile(m_defaults)) {
        const int stored = wholeSliderValue(m_slider->value());
        reportSettingsWrite(
            foundation::updateDictionaryFile(*file, [&](foundation::Dictionary& settings) {
                settings[m_key] = foundation::Value(stored);
                return true;
            }));
    }
    postChangeNotification(m_postNotification);
}

void TBSliderCell::askUserForInput() {
    const std::string unit = stringProperty(specifier(), "type");
    const std::string message = "Please enter a value between\n" +
                                std::to_string(static_cast<int>(m_min)) + unit + " and " +
                                std::to_string(static_cast<int>(m_max)) + unit;
    auto alert = UIAlertView::withTitle("", message, this, "Cancel", {"Save"});
    alert->setAlertViewStyle(UIAlertViewStylePlainTextInput);
    alert->setTag(kSliderEntryTag);
    alert->show();
    UITextField* field = alert->textFieldAtIndex(0);
    if (m_min < 0)
        field->setText("-");
    field->setKeyboardType(UIKeyboardTypeNumberPad);
}

void TBSliderCell::alertViewClickedButtonAtIndex(UIAlertView* alert, NSInteger index) {
    if (!alert || alert->tag() != kSliderEntryTag || index != 1)
        return;
    objc::Ref<TBSliderCell> keep(this);
    m_slider->setValue(foundation::Value(alert->textFieldAtIndex(0)->text()).floatValue());
    objc::msgSend<void(NSObject*)>(this, sel("sliderValueChangedAction:"), m_slider.get());
    objc::msgSend<void(NSObject*)>(this, sel("sliderTouchUpInsideOutsideAction:"), m_slider.get());
}

} // namespace tintbox::pane
