#include "platform/preferences/PSSwitchTableCell.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = PSSwitchTableCell::registerRuntimeClass();
} // namespace

Class PSSwitchTableCell::registerRuntimeClass() {
    PSControlTableCell::registerRuntimeClass();
    UISwitch::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<PSSwitchTableCell, PSControlTableCell>("PSSwitchTableCell")
            .method<&PSSwitchTableCell::initWithStyle>("initWithStyle:reuseIdentifier:specifier:")
            .method<&PSSwitchTableCell::setValue>("setValue:")
            .method<&PSSwitchTableCell::controlChanged>("controlChanged:");
    return cls;
}

PSSwitchTableCell* PSSwitchTableCell::initWithStyle(UITableViewCellStyle style,
                                                    std::string reuseIdentifier,
                                                    PSSpecifier* specifier) {
    auto toggle = UIView::withFrame<UISwitch>(CGRectMake(0, 0, 51, 31));
    toggle->addTarget(this, sel_registerName("controlChanged:"), UIControlEventValueChanged);
    setControl(toggle.get());
    PSTableCell::initWithStyle(style, std::move(reuseIdentifier), specifier);
    setAccessoryView(toggle.get());
    setSelectionStyle(UITableViewCellSelectionStyleNone);
    return this;
}

UISwitch* PSSwitchTableCell::switchControl() const {
    return static_cast<UISwitch*>(control());
}

void PSSwitchTableCell::setValue(foundation::Value value) {
    switchControl()->setOn(value.boolValue());
    m_value = std::move(value);
}

void PSSwitchTableCell::controlChanged(id) {
    storeValue(foundation::Value(switchControl()->isOn()));
}
