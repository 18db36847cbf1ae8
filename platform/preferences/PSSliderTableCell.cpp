#include "platform/preferences/PSSliderTableCell.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = PSSliderTableCell::registerRuntimeClass();

constexpr CGFloat kMargin = 15;

float numberProperty(PSSpecifier* specifier, const char* key, float fallback) {
    foundation::Value value = specifier ? specifier->propertyForKey(key) : foundation::Value();
    return value.isNull() ? fallback : value.floatValue();
}
} // namespace

Class PSSliderTableCell::registerRuntimeClass() {
    PSControlTableCell::registerRuntimeClass();
    UISlider::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<PSSliderTableCell, PSControlTableCell>("PSSliderTableCell")
            .method<&PSSliderTableCell::initWithStyle>("initWithStyle:reuseIdentifier:specifier:")
            .method<&PSSliderTableCell::setValue>("setValue:")
            .method<&PSSliderTableCell::refreshCellContentsWithSpecifier>(
                "refreshCellContentsWithSpecifier:")
            .method<&PSSliderTableCell::controlChanged>("controlChanged:")
            .method<&PSSliderTableCell::layoutSubviews>("layoutSubviews");
    return cls;
}

PSSliderTableCell* PSSliderTableCell::initWithStyle(UITableViewCellStyle style,
                                                    std::string reuseIdentifier,
                                                    PSSpecifier* specifier) {
    auto slider = UIView::withFrame<UISlider>(CGRectMake(kMargin, 0, 290, 44));
    slider->setContinuous(false);
    slider->addTarget(this, sel_registerName("controlChanged:"),
                      UIControlEventTouchUpInside | UIControlEventTouchUpOutside);
    setControl(slider.get());
    PSTableCell::initWithStyle(style, std::move(reuseIdentifier), specifier);
    contentView()->addSubview(slider.get());
    setSelectionStyle(UITableViewCellSelectionStyleNone);
    return this;
}

UISlider* PSSliderTableCell::slider() const {
    return static_cast<UISlider*>(control());
}

void PSSliderTableCell::refreshCellContentsWithSpecifier(PSSpecifier* specifier) {
    PSTableCell::refreshCellContentsWithSpecifier(specifier);
    // A slider row shows no title: the slider spans the row.
    textLabel()->setText("");
    slider()->setMinimumValue(numberProperty(specifier, "min", 0));
    slider()->setMaximumValue(numberProperty(specifier, "max", 1));
}

void PSSliderTableCell::setValue(foundation::Value value) {
    slider()->setValue(value.floatValue());
    m_value = std::move(value);
}

void PSSliderTableCell::controlChanged(id) {
    storeValue(foundation::Value(static_cast<double>(slider()->value())));
}

void PSSliderTableCell::layoutSubviews() {
    PSTableCell::layoutSubviews();
    CGRect bounds = contentView()->bounds();
    slider()->setFrame(CGRectMake(kMargin, 0, std::max<CGFloat>(0, bounds.size.width - 2 * kMargin),
                                  bounds.size.height));
}
