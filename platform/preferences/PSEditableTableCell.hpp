// PSEditableTableCell: a row with a UITextField (cell types PSEditTextCell and
// PSSecureEditTextCell) right of its title. The field shows the value's text; when editing
// ends (return or leaving the field) the text is stored through the specifier's setter.
#pragma once

#include "platform/preferences/PSControlTableCell.hpp"
#include "platform/uikit/UITextField.hpp"

class PSEditableTableCell : public PSControlTableCell {
public:
    static Class registerRuntimeClass();

    PSEditableTableCell* initWithStyle(UITableViewCellStyle style, std::string reuseIdentifier,
                                       PSSpecifier* specifier);
    UITextField* textField() const;
    void setValue(foundation::Value value);
    // The field's editing-did-end action.
    void controlChanged(id sender);
    void layoutSubviews();
};
