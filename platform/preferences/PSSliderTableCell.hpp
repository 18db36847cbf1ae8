// PSSliderTableCell: a row that is a UISlider (cell type PSSliderCell) over the specifier's
// "min" .. "max" (0 .. 1 when absent). The slider shows the value's number; a drag stores the
// slider's value (a real) through the specifier's setter when the finger lifts.
#pragma once

#include "platform/preferences/PSControlTableCell.hpp"
#include "platform/uikit/UISlider.hpp"

class PSSliderTableCell : public PSControlTableCell {
public:
    static Class registerRuntimeClass();

    PSSliderTableCell* initWithStyle(UITableViewCellStyle style, std::string reuseIdentifier,
                                     PSSpecifier* specifier);
    UISlider* slider() const;
    void setValue(foundation::Value value);
    // Takes "min" and "max" again (a pane may change them after loading its list).
    void refreshCellContentsWithSpecifier(PSSpecifier* specifier);
    // The slider's action for touch up inside and outside.
    void controlChanged(id sender);
    void layoutSubviews();
};
