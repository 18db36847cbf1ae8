#include "platform/preferences/PSTableCell.hpp"

#include "platform/preferences/PSEditableTableCell.hpp"
#include "platform/preferences/PSSliderTableCell.hpp"
#include "platform/preferences/PSSwitchTableCell.hpp"
#include "platform/uikit/UIColor.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = PSTableCell::registerRuntimeClass();

SEL sel(const char* name) {
    return sel_registerName(name);
}

// A value as a row shows it.
std::string displayText(const foundation::Value& value) {
    if (const std::string* text = value.asString())
        return *text;
    if (const bool* flag = value.asBoolean())
        return *flag ? "On" : "Off";
    if (value.isInteger())
        return std::to_string(*value.asInteger());
    if (value.isReal()) {
        std::string text = std::to_string(*value.asReal());
        text.erase(text.find_last_not_of('0') + 1);
        if (!text.empty() && text.back() == '.')
            text.pop_back();
        return text;
    }
    return {};
}
} // namespace

Class PSTableCell::registerRuntimeClass() {
    UITableViewCell::registerRuntimeClass();
    PSSpecifier::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<PSTableCell, UITableViewCell>("PSTableCell")
            .method<&PSTableCell::initWithStyle>("initWithStyle:reuseIdentifier:specifier:")
            .method<&PSTableCell::specifier>("specifier")
            .method<&PSTableCell::setSpecifier>("setSpecifier:")
            .method<&PSTableCell::type>("type")
            .method<&PSTableCell::refreshCellContentsWithSpecifier>(
                "refreshCellContentsWithSpecifier:")
            .method<&PSTableCell::value>("value")
            .method<&PSTableCell::setValue>("setValue:")
            .method<&PSTableCell::isCellEnabled>("cellEnabled")
            .method<&PSTableCell::setCellEnabled>("setCellEnabled:");
    return cls;
}

SEL PSTableCell::initWithStyleSpecifierSelector() {
    static const SEL selector = sel("initWithStyle:reuseIdentifier:specifier:");
    return selector;
}

objc::Ref<PSTableCell> PSTableCell::createCell(Class cls, UITableViewCellStyle style,
                                               const std::string& reuseIdentifier,
                                               PSSpecifier* specifier) {
    if (!class_isSubclassOfClass(cls, objc::classOf<PSTableCell>()))
        return nullptr;
    auto object = class_createInstance(cls);
    auto* cell = objc::msgSend<PSTableCell*(NSInteger, std::string, PSSpecifier*)>(
        object.get(), initWithStyleSpecifierSelector(), style, reuseIdentifier, specifier);
    return objc::Ref<PSTableCell>(cell);
}

Class PSTableCell::cellClassForCellType(PSCellType type) {
    switch (type) {
    case PSSwitchCell:
        return objc::classOf<PSSwitchTableCell>();
    case PSSliderCell:
        return objc::classOf<PSSliderTableCell>();
    case PSEditTextCell:
    case PSSecureEditTextCell:
        return objc::classOf<PSEditableTableCell>();
    default:
        return objc::classOf<PSTableCell>();
    }
}

PSTableCell* PSTableCell::initWithStyle(UITableViewCellStyle style, std::string reuseIdentifier,
                                        PSSpecifier* specifier) {
    objc::msgSend<UITableViewCell*(NSInteger, std::string)>(this, initWithStyleSelector(), style,
                                                            std::move(reuseIdentifier));
    m_specifier = specifier;
    if (specifier)
        objc::msgSend<void(PSSpecifier*)>(this, sel("refreshCellContentsWithSpecifier:"),
                                          specifier);
    return this;
}

PSCellType PSTableCell::type() const {
    return m_specifier ? m_specifier->cellType() : PSDefaultCell;
}

void PSTableCell::refreshCellContentsWithSpecifier(PSSpecifier* specifier) {
    if (!specifier)
        return;
    textLabel()->setText(specifier->name());
    switch (specifier->cellType()) {
    case PSLinkCell:
    case PSLinkListCell:
        setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
        break;
    case PSStaticTextCell:
    case PSTitleValueCell:
    case PSGroupCell:
        setSelectionStyle(UITableViewCellSelectionStyleNone);
        break;
    default:
        break;
    }
    objc::msgSend<void(bool)>(this, sel("setCellEnabled:"), specifier->isEnabled());
}

void PSTableCell::setValue(foundation::Value value) {
    m_value = std::move(value);
    UILabel* detail = detailTextLabel();
    if (!detail || !m_specifier)
        return;
    if (m_specifier->cellType() == PSLinkListCell) {
        auto title = m_specifier->titleForValue(m_value);
        detail->setText(title ? *title : displayText(m_value));
    } else if (m_specifier->cellType() == PSTitleValueCell) {
        detail->setText(displayText(m_value));
    }
}

void PSTableCell::storeValue(foundation::Value value) {
    m_value = value;
    if (m_specifier)
        m_specifier->performSetterWithValue(std::move(value));
}

void PSTableCell::setCellEnabled(bool enabled) {
    m_cellEnabled = enabled;
    setUserInteractionEnabled(enabled);
    const bool button = m_specifier && m_specifier->cellType() == PSButtonCell;
    auto colour = !enabled ? UIColor::grayColor()
                  : button ? UIColor::colorWithRed(0, 0.478, 1, 1)
                           : UIColor::blackColor();
    textLabel()->setTextColor(colour.get());
}
