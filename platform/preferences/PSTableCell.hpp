// PSTableCell: the row of a settings pane, built from its specifier. The base shows the
// specifier's name, and for links and choice lists a disclosure mark (choice lists also the
// chosen title as detail text). Cells that edit a value (PSSwitchTableCell, PSSliderTableCell,
// PSEditableTableCell) store changes through the specifier's setter, so every row's write
// reaches the pane's setPreferenceValue:specifier:. Custom cells (a specifier list's
// "cellClass") subclass PSTableCell and override initWithStyle:reuseIdentifier:specifier:,
// which is always sent through the runtime:
//   TBSliderCell* initWithStyle(NSInteger, std::string reuse, PSSpecifier* specifier) {
//       PSTableCell::initWithStyle(0, reuse, specifier);  ...  return this; }
#pragma once

#include "platform/foundation/value.hpp"
#include "platform/preferences/PSSpecifier.hpp"
#include "platform/uikit/UITableViewCell.hpp"

#include <string>

class PSTableCell : public UITableViewCell {
public:
    static Class registerRuntimeClass();

    // A new cell of cls (PSTableCell or a subclass) through initWithStyle:reuseIdentifier:
    // specifier:; nil when cls is not a PSTableCell class.
    static objc::Ref<PSTableCell> createCell(Class cls, UITableViewCellStyle style,
                                             const std::string& reuseIdentifier,
                                             PSSpecifier* specifier);
    static SEL initWithStyleSpecifierSelector();
    // The standard cell class of a cell type (PSTableCell, PSSwitchTableCell, ...).
    static Class cellClassForCellType(PSCellType type);

    // Sets the style up (initWithStyle:reuseIdentifier:), keeps the specifier and shows it
    // (refreshCellContentsWithSpecifier:, through the runtime); answers the receiver.
    PSTableCell* initWithStyle(UITableViewCellStyle style, std::string reuseIdentifier,
                               PSSpecifier* specifier);

    PSSpecifier* specifier() const { return m_specifier.get(); }
    void setSpecifier(PSSpecifier* specifier) { m_specifier = specifier; }
    PSCellType type() const;

    // Shows the specifier's name, enabled state and the accessory of its cell type.
    void refreshCellContentsWithSpecifier(PSSpecifier* specifier);
    // The value shown (setValue:, sent by the pane with what readPreferenceValue: answered);
    // the base shows a choice list's chosen title.
    foundation::Value value() const { return m_value; }
    void setValue(foundation::Value value);
    // Stores value through the specifier's setter (the pane's setPreferenceValue:specifier:).
    void storeValue(foundation::Value value);

    bool isCellEnabled() const { return m_cellEnabled; }
    // setCellEnabled: dims the labels and disables the cell's control.
    void setCellEnabled(bool enabled);

protected:
    foundation::Value m_value;

private:
    objc::Ref<PSSpecifier> m_specifier;
    bool m_cellEnabled{true};
};
