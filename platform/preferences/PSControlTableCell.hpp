// PSControlTableCell: a row whose control edits the specifier's value (a switch, a slider, a
// text field). The control is the cell's accessory or sits in its content view; its changes
// are stored through the specifier's setter (PSTableCell::storeValue), and setValue: shows a
// value read by the pane.
#pragma once

#include "platform/preferences/PSTableCell.hpp"
#include "platform/uikit/UIControl.hpp"

class PSControlTableCell : public PSTableCell {
public:
    static Class registerRuntimeClass();

    UIControl* control() const { return m_control.get(); }
    // Disables the control with the cell.
    void setCellEnabled(bool enabled);

protected:
    void setControl(UIControl* control) { m_control = control; }

private:
    objc::Ref<UIControl> m_control;
};
