// The colour selector pane: one tall row, the colour cell, for the colour key that the pane's
// own specifier carries as its "title" (an account name, or "Color Value N" for filter N).
// The Settings framework makes it by name from a link row and pushes it.
#pragma once

#include "platform/foundation/value.hpp"
#include "platform/preferences/PSListController.hpp"

namespace tintbox::pane {

class ColorSelectorController : public PSListController {
public:
    static Class registerRuntimeClass();

    // The base initialiser, then the settings copy (the settings file, or an empty one).
    ColorSelectorController* initForContentSize(CGSize size);
    // Does nothing and answers nil: the cell reads and writes the settings itself.
    void setPreferenceValueSpecifier(foundation::Value value, PSSpecifier* specifier);
    foundation::Value readPreferenceValue(PSSpecifier* specifier);
    // "TintboxColorSelector", its first specifier given the colour key and the layout;
    // built on the first call.
    PSSpecifierList specifiers();
    double tableViewHeightForRowAtIndexPath(UITableView* table, NSIndexPath* indexPath);

private:
    foundation::Dictionary m_settings;
    bool m_specifiersBuilt{false};
};

} // namespace tintbox::pane
