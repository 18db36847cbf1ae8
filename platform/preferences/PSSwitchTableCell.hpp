// PSSwitchTableCell: a row with a UISwitch accessory (cell type PSSwitchCell). The switch
// shows the value's boolean reading; a tap stores a boolean through the specifier's setter.
#pragma once

#include "platform/preferences/PSControlTableCell.hpp"
#include "platform/uikit/UISwitch.hpp"

class PSSwitchTableCell : public PSControlTableCell {
public:
    static Class registerRuntimeClass();

    PSSwitchTableCell* initWithStyle(UITableViewCellStyle style, std::string reuseIdentifier,
                                     PSSpecifier* specifier);
    UISwitch* switchControl() const;
    void setValue(foundation::Value value);
    // The switch's value-changed action.
    void controlChanged(id sender);
};
