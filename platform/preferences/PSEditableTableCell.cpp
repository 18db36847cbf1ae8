#include "platform/preferences/PSEditableTableCell.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = PSEditableTableCell::registerRuntimeClass();

constexpr CGFloat kMargin = 15;
constexpr CGFloat kTitleWidth = 110;
} // namespace

Class PSEditableTableCell::registerRuntimeClass() {
    PSControlTableCell::registerRuntimeClass();
    UITextField::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<PSEditableTableCell, PSControlTableCell>("PSEditableTableCell")
            .method<&PSEditableTableCell::initWithStyle>("initWithStyle:reuseIdentifier:specifier:")
            .method<&PSEditableTableCell::setValue>("setValue:")
            .method<&PSEditableTableCell::controlChanged>("controlChanged:")
            .method<&PSEditableTableCell::layoutSubviews>("layoutSubviews");
    return cls;
}

PSEditableTableCell* PSEditableTableCell::initWithStyle(UITableViewCellStyle style,
                                                        std::string reuseIdentifier,
                                                        PSSpecifier* specifier) {
    auto field = UIView::withFrame<UITextField>(CGRectMake(kTitleWidth, 0, 195, 44));
    field->addTarget(this, sel_registerName("controlChanged:"),
                     UIControlEventEditingDidEnd | UIControlEventEditingDidEndOnExit);
    if (specifier) {
        field->setSecureTextEntry(specifier->cellType() == PSSecureEditTextCell);
        foundation::Value placeholder = specifier->propertyForKey("placeholder");
        if (const std::string* text = placeholder.asString())
            field->setPlaceholder(*text);
    }
    setControl(field.get());
    PSTableCell::initWithStyle(style, std::move(reuseIdentifier), specifier);
    contentView()->addSubview(field.get());
    setSelectionStyle(UITableViewCellSelectionStyleNone);
    return this;
}

UITextField* PSEditableTableCell::textField() const {
    return static_cast<UITextField*>(control());
}

void PSEditableTableCell::setValue(foundation::Value value) {
    if (const std::string* text = value.asString())
        textField()->setText(*text);
    else if (value.isNumber())
        textField()->setText(std::to_string(value.intValue()));
    else
        textField()->setText("");
    m_value = std::move(value);
}

void PSEditableTableCell::controlChanged(id) {
    std::string text = textField()->text();
    // Return ends editing and leaving the field ends it again: store each change once.
    if (const std::string* shown = m_value.asString(); shown && *shown == text)
        return;
    storeValue(foundation::Value(std::move(text)));
}

void PSEditableTableCell::layoutSubviews() {
    PSTableCell::layoutSubviews();
    CGRect bounds = contentView()->bounds();
    textLabel()->setFrame(CGRectMake(kMargin, 0, kTitleWidth - kMargin, bounds.size.height));
    textField()->setFrame(
        CGRectMake(kTitleWidth, 0, std::max<CGFloat>(0, bounds.size.width - kTitleWidth - kMargin),
                   bounds.size.height));
}
