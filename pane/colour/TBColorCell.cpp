#include "pane/colour/TBColorCell.hpp"

#include "engine/colour.hpp"
#include "pane/colour/cell_support.hpp"
#include "platform/foundation/value.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UITextField.hpp"

#include <cmath>

namespace tintbox::pane {
namespace {

[[maybe_unused]] const Class registeredAtLoad = TBColorCell::registerRuntimeClass();

// Flexible left margin, width and right margin.
constexpr UIViewAutoresizing kStretch = 7;
// Flexible left and right margins.
constexpr UIViewAutoresizing kKeepWidth = 5;

constexpr const char* kHelpText =
    "-- Tap once on a color gradient to select a color.\n"
    "-- Tap, hold and drag on a color gradient to scroll through different colors.\n"
    "-- Tap once on a number value to bring up a keyboard and enter a value directly.\n"
    "-- Tap once on the hex value to bring up a keyboard and enter a value directly.";

constexpr std::array<const char*, 3> kChannelNames{"Red", "Green", "Blue"};
constexpr std::array<const char*, 3> kPreviewNames{"MailBox", "List", "Message"};
constexpr std::array<const char*, 3> kChannelActions{"askUserForInputR", "askUserForInputG",
                                                     "askUserForInputB"};
constexpr std::array<NSInteger, 3> kChannelTags{kRedEntryTag, kGreenEntryTag, kBlueEntryTag};

SEL sel(const char* name) {
    return sel_registerName(name);
}

std::string stringProperty(PSSpecifier* specifier, const char* key) {
    const foundation::Value value = specifier->propertyForKey(key);
    return value.asString() ? *value.asString() : std::string();
}

objc::Ref<UILabel> makeLabel(CGRect frame, const std::string& text, UIColor* colour,
                             NSTextAlignment alignment) {
    auto label = UIView::withFrame<UILabel>(frame);
    label->setNumberOfLines(1);
    label->setText(text);
    label->setTextColor(colour);
    label->setTextAlignment(alignment);
    label->setBackgroundColor(UIColor::clearColor().get());
    return label;
}

objc::Ref<UIButton> makeEntryButton(CGRect frame, NSObject* target, const char* action,
                                    UIViewAutoresizing mask) {
    auto button = UIButton::buttonWithType(UIButtonTypeRoundedRect);
    button->setFrame(frame);
    button->setTitle("", UIControlStateNormal);
    button->setBackgroundColor(UIColor::colorWithRed(0, 0, 0, 0.04).get());
    button->layer()->setCornerRadius(5);
    button->addTarget(target, sel(action), UIControlEventTouchUpInside);
    button->setAutoresizingMask(mask);
    return button;
}

// Picker types as "colorPickerType" names them: 1 saturation, 2 brightness, others hue.
int normalisedPickerType(int type) {
    return type == 1 || type == 2 ? type : 0;
}

Class pickerClass(int type) {
    switch (type) {
    case 1:
        return objc_getClass("TBColorPickerView_S");
    case 2:
        return objc_getClass("TBColorPickerView_B");
    default:
        return objc_getClass("TBColorPickerView_H");
    }
}

} // namespace

Class TBColorCell::registerRuntimeClass() {
    PSTableCell::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<TBColorCell, PSTableCell>("TBColorCell")
            .method<&TBColorCell::initWithStyle>("initWithStyle:reuseIdentifier:specifier:")
            .method<&TBColorCell::askUserForInputHex>("askUserForInputHex")
            .method<&TBColorCell::askUserForInputR>("askUserForInputR")
            .method<&TBColorCell::askUserForInputG>("askUserForInputG")
            .method<&TBColorCell::askUserForInputB>("askUserForInputB")
            .method<&TBColorCell::alertViewClickedButtonAtIndex>("alertView:clickedButtonAtIndex:")
            .method<&TBColorCell::useWhiteFont>("useWhiteFont:withGreen:withBlue:withOpacity:")
            .method<&TBColorCell::setColors>("setColors:")
            .method<&TBColorCell::sliderValueChangedAction>("sliderValueChangedAction:")
            .method<&TBColorCell::sliderTouchUpInsideOutsideAction>(
                "sliderTouchUpInsideOutsideAction:")
            .method<&TBColorCell::hexColorField>("hexColorField")
            .method<&TBColorCell::mailBoxColorField>("mailBoxColorField")
            .method<&TBColorCell::listColorField>("listColorField")
            .method<&TBColorCell::messageColorField>("messageColorField")
            .method<&TBColorCell::titleR>("titleR")
            .method<&TBColorCell::titleG>("titleG")
            .method<&TBColorCell::titleB>("titleB")
            .method<&TBColorCell::valueR>("valueR")
            .method<&TBColorCell::valueG>("valueG")
            .method<&TBColorCell::valueB>("valueB")
            .method<&TBColorCell::sliderR>("sliderR")
            .method<&TBColorCell::sliderG>("sliderG")
            .method<&TBColorCell::sliderB>("sliderB")
            .method<&TBColorCell::colorPickerView_H>("colorPickerView_H")
            .method<&TBColorCell::colorPickerView_S>("colorPickerView_S")
            .method<&TBColorCell::colorPickerView_B>("colorPickerView_B");
    return cls;
}

TBColorCell* TBColorCell::initWithStyle(NSInteger, std::string reuseIdentifier,
                                        PSSpecifier* specifier) {
    if (!PSTableCell::initWithStyle(0, std::move(reuseIdentifier), specifier) || !specifier)
        return this;
    const foundation::Value prefer = specifier->propertyForKey("preferColorPicker");
    const bool pickerFirst = prefer.isNull() || prefer.boolValue();
    m_colourKey = ColourKey::parse(stringProperty(specifier, "key"));
    m_defaults = stringProperty(specifier, "defaults");
    m_postNotification = stringProperty(specifier, "PostNotification");
    setBackgroundColor(UIColor::whiteColor().get());

    // The subviews are placed for the content view spanning the cell, as it does on the device
    // while a cell is built; later size changes follow their autoresizing masks.
    contentView()->setFrame(bounds());
    const double width = frame().size.width;
    buildSubviews(width, pickerFirst);

    m_min = specifier->propertyForKey("min").floatValue();
    m_max = specifier->propertyForKey("max").floatValue();
    for (const auto& slider : m_sliders) {
        slider->setMinimumValue(m_min);
        slider->setMaximumValue(m_max);
        slider->setContinuous(true);
        slider->addTarget(this, sel("sliderValueChangedAction:"), UIControlEventValueChanged);
        slider->addTarget(this, sel("sliderTouchUpInsideOutsideAction:"),
                          UIControlEventTouchUpInside | UIControlEventTouchUpOutside);
    }

    m_alphas = PreviewAlphas{};
    m_colorPickerType = 0;
    std::string colour = stringProperty(specifier, "default");
    if (auto file = domainSettingsFile(m_defaults)) {
        StoredColour stored = loadStoredColour(*file, m_colourKey, colour);
        colour = stored.colour;
        m_alphas = stored.alphas;
        m_colorPickerType = stored.pickerType;
    }
    showColourString(colour);

    UIView* content = contentView();
    content->addSubview(m_hexColorField.get());
    for (const auto& preview : m_previews)
        content->addSubview(preview.get());
    for (const auto& title : m_titles)
        content->addSubview(title.get());
    for (const auto& button : m_valueButtons)
        content->addSubview(button.get());
    for (const auto& slider : m_sliders)
        content->addSubview(slider.get());
    for (const auto& value : m_values)
        content->addSubview(value.get());
    content->addSubview(m_hexButton.get());

    // The picker holds its callbacks; they hold the cell weakly, so that the cell (which owns
    // the picker) can go away.
    const objc::WeakRef<TBColorCell> weakSelf(this);
    const auto [red, green, blue] = sliderChannels();
    auto colourNow = UIColor::colorWithRed(red / 255.0, green / 255.0, blue / 255.0, 1.0);
    const double pickerTop = pickerFirst ? 90 : 285;
    m_colorPicker = TBColorPickerView::make(
        pickerClass(m_colorPickerType), CGRectMake(0, pickerTop, width, 380), colourNow.get(),
        [weakSelf](UIColor* colour) {
            if (objc::Ref<TBColorCell> cell = weakSelf.lock())
                cell->pickerColorsHaveChanged(colour);
        },
        [weakSelf](UIColor*) {
            if (objc::Ref<TBColorCell> cell = weakSelf.lock())
                cell->pickerSaveChanges();
        });
    m_colorPicker->setAutoresizingMask(kStretch);
    content->addSubview(m_colorPicker.get());

    m_helpLabel = makeLabel(CGRectMake(15, 685, width - 30, 100), kHelpText,
                            UIColor::blackColor().get(), NSTextAlignmentLeft);
    m_helpLabel->setNumberOfLines(0);
    m_helpLabel->setAutoresizingMask(kStretch);
    m_helpLabel->sizeToFit();
    content->addSubview(m_helpLabel.get());
    return this;
}

void TBColorCell::buildSubviews(double width, bool pickerFirst) {
    const float column = static_cast<float>(std::lround(width - 34) / 3.0);
    const double slidersTop = pickerFirst ? 490 : 90;

    CGSize hexSize;
    {
        auto scratch = makeLabel(CGRectMake(15, 10, width - 30, 40), "#FFFFFFF",
                                 UIColor::blackColor().get(), NSTextAlignmentLeft);
        scratch->sizeToFit();
        hexSize = scratch->frame().size;
    }
    const CGRect hexFrame =
        CGRectMake(width / 2 - hexSize.width / 2, 10, hexSize.width, hexSize.height);
    m_hexColorField = makeLabel(hexFrame, "", UIColor::blueColor().get(), NSTextAlignmentCenter);
    m_hexColorField->setAutoresizingMask(kStretch);
    m_hexButton = makeEntryButton(hexFrame, this, "askUserForInputHex", kStretch);

    for (int i = 0; i < 3; ++i) {
        const CGRect frame = CGRectMake(15 + i * (column + 2), 41, column, 38);
        auto preview = makeLabel(frame, kPreviewNames[static_cast<std::size_t>(i)],
                                 UIColor::blackColor().get(), NSTextAlignmentCenter);
        preview->layer()->setBorderColor(UIColor::blackColor()->CGColor());
        preview->layer()->setBorderWidth(1.0);
        preview->layer()->setCornerRadius(5);
        preview->layer()->setMasksToBounds(true);
        preview->setAutoresizingMask(kStretch);
        m_previews[static_cast<std::size_t>(i)] = preview;
    }

    for (std::size_t i = 0; i < 3; ++i) {
        const double top = slidersTop + 68.0 * static_cast<double>(i);
        m_titles[i] = makeLabel(CGRectMake(15, top, width - 120, 20), kChannelNames[i],
                                UIColor::blackColor().get(), NSTextAlignmentLeft);
        const CGRect valueFrame = CGRectMake(width - 75, top - 7, 60, 30);
        m_values[i] = makeLabel(valueFrame, "0", UIColor::blueColor().get(), NSTextAlignmentRight);
        m_values[i]->setAutoresizingMask(kKeepWidth);
        m_valueButtons[i] = makeEntryButton(valueFrame, this, kChannelActions[i], kKeepWidth);
        m_sliders[i] = UIView::withFrame<UISlider>(CGRectMake(15, top + 18, width - 30, 40));
        m_sliders[i]->setAutoresizingMask(kStretch);
    }
}

void TBColorCell::showColourString(const std::string& stored) {
    m_hexColorField->setText(engine::displayHexColour(stored));
    const engine::Rgb8 channels =
        engine::channelsOf(engine::paneClamp(engine::parseHexColour(stored)));
    paintPreviews(channels.red, channels.green, channels.blue, true);
    const std::array<int, 3> values{channels.red, channels.green, channels.blue};
    for (std::size_t i = 0; i < 3; ++i) {
        m_sliders[i]->setValue(static_cast<float>(values[i]));
        m_values[i]->setText(std::to_string(values[i]));
    }
}

TBColorPickerView* TBColorCell::pickerOfType(int type) const {
    return normalisedPickerType(m_colorPickerType) == type ? m_colorPicker.get() : nullptr;
}

void TBColorCell::paintPreviews(int red, int green, int blue, bool textColours) {
    const std::array<float, 3> alphas{m_alphas.mailBox, m_alphas.list, m_alphas.message};
    for (std::size_t i = 0; i < 3; ++i) {
        m_previews[i]->setBackgroundColor(
            UIColor::colorWithRed(red / 255.0, green / 255.0, blue / 255.0, alphas[i]).get());
        if (textColours) {
            const bool white = objc::msgSend<bool(int, int, int, float)>(
                this, sel("useWhiteFont:withGreen:withBlue:withOpacity:"), red, green, blue,
                alphas[i]);
            m_previews[i]->setTextColor(
                (white ? UIColor::whiteColor() : UIColor::blackColor()).get());
        }
    }
}

bool TBColorCell::useWhiteFont(int red, int green, int blue, float opacity) const {
    return engine::useWhiteFont(red, green, blue, opacity);
}

std::array<int, 3> TBColorCell::sliderChannels() const {
    return {static_cast<int>(m_sliders[0]->value()), static_cast<int>(m_sliders[1]->value()),
            static_cast<int>(m_sliders[2]->value())};
}

void TBColorCell::setColors(bool updatePicker) {
    const auto [red, green, blue] = sliderChannels();
    paintPreviews(red, green, blue, false);
    m_hexColorField->setText(engine::formatHexColour(red, green, blue));
    if (updatePicker && m_colorPicker) {
        auto colour = UIColor::colorWithRed(red / 255.0, green / 255.0, blue / 255.0, 1.0);
        objc::msgSend<void(UIColor*)>(m_colorPicker, sel("setColor:"), colour.get());
    }
    paintPreviews(red, green, blue, true);
}

void TBColorCell::showWholeValue(Channel channel) {
    m_values[channel]->setText(formattedWholeNumber(wholeSliderValue(m_sliders[channel]->value())));
}

void TBColorCell::sliderValueChangedAction(UISlider* slider) {
    for (int channel : {Red, Green, Blue}) {
        if (m_sliders[static_cast<std::size_t>(channel)].get() == slider)
            showWholeValue(static_cast<Channel>(channel));
    }
    objc::msgSend<void(bool)>(this, sel("setColors:"), true);
}

void TBColorCell::sliderTouchUpInsideOutsideAction(UISlider*) {
    const auto [red, green, blue] = sliderChannels();
    paintPreviews(red, green, blue, false);
    m_hexColorField->setText(engine::formatHexColour(red, green, blue));
    saveHexValue();
}

void TBColorCell::saveHexValue() {
    if (auto file = domainSettingsFile(m_defaults))
        saveColour(*file, m_colourKey, m_hexColorField->text());
    postChangeNotification(m_postNotification);
}

void TBColorCell::pickerColorsHaveChanged(UIColor* colour) {
    if (!colour)
        return;
    double components[3] = {0, 0, 0};
    colour->getRed(&components[0], &components[1], &components[2], nullptr);
    for (std::size_t i = 0; i < 3; ++i) {
        m_sliders[i]->setValue(std::round(static_cast<float>(components[i]) * 255.0f));
        showWholeValue(static_cast<Channel>(i));
    }
    objc::msgSend<void(bool)>(this, sel("setColors:"), false);
}

void TBColorCell::pickerSaveChanges() {
    saveHexValue();
}

void TBColorCell::askUserForChannel(Channel channel) {
    const std::string unit = stringProperty(specifier(), "type");
    const std::string message = std::string("Please enter a value for ") + kChannelNames[channel] +
                                " between\n" + std::to_string(static_cast<int>(m_min)) + unit +
                                " and " + std::to_string(static_cast<int>(m_max)) + unit;
    auto alert = UIAlertView::withTitle("", message, this, "Cancel", {"Save"});
    alert->setAlertViewStyle(UIAlertViewStylePlainTextInput);
    alert->setTag(kChannelTags[channel]);
    alert->show();
    UITextField* field = alert->textFieldAtIndex(0);
    if (m_min < 0)
        field->setText("-");
    field->setKeyboardType(UIKeyboardTypeNumberPad);
}

void TBColorCell::askUserForInputHex() {
    auto alert = UIAlertView::withTitle(
        "",
        "Please enter a hex value between\n#000000 and #FFFFFF\nCurrent value is: " +
            m_hexColorField->text(),
        this, "Cancel", {"Save"});
    alert->setAlertViewStyle(UIAlertViewStylePlainTextInput);
    alert->setTag(kHexEntryTag);
    alert->show();
}

void TBColorCell::alertViewClickedButtonAtIndex(UIAlertView* alert, NSInteger index) {
    if (!alert || index != 1)
        return;
    objc::Ref<TBColorCell> keep(this);
    const std::string text = alert->textFieldAtIndex(0)->text();
    const NSInteger tag = alert->tag();
    for (std::size_t i = 0; i < 3; ++i) {
        if (tag != kChannelTags[i])
            continue;
        UISlider* slider = m_sliders[i].get();
        slider->setValue(foundation::Value(text).floatValue());
        objc::msgSend<void(UISlider*)>(this, sel("sliderValueChangedAction:"), slider);
        objc::msgSend<void(UISlider*)>(this, sel("sliderTouchUpInsideOutsideAction:"), slider);
        return;
    }
    if (tag != kHexEntryTag)
        return;
    const engine::Rgb8 channels =
        engine::channelsOf(engine::paneClamp(engine::parseHexColour(text)));
    const std::array<int, 3> values{channels.red, channels.green, channels.blue};
    for (std::size_t i = 0; i < 3; ++i) {
        m_sliders[i]->setValue(static_cast<float>(values[i]));
        m_values[i]->setText(std::to_string(values[i]));
    }
    objc::msgSend<void(bool)>(this, sel("setColors:"), true);
    objc::msgSend<void(UISlider*)>(this, sel("sliderTouchUpInsideOutsideAction:"),
                                   m_sliders[Red].get());
}

} // namespace tintbox::pane
