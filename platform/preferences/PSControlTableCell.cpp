#include "platform/preferences/PSControlTableCell.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = PSControlTableCell::registerRuntimeClass();
} // namespace

Class PSControlTableCell::registerRuntimeClass() {
    PSTableCell::registerRuntimeClass();
    UIControl::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<PSControlTableCell, PSTableCell>("PSControlTableCell")
            .method<&PSControlTableCell::control>("control")
            .method<&PSControlTableCell::setCellEnabled>("setCellEnabled:");
    return cls;
}

void PSControlTableCell::setCellEnabled(bool enabled) {
    PSTableCell::setCellEnabled(enabled);
    if (m_control)
        m_control->setEnabled(enabled);
}
