// PSListItemsController: the pane a choice list (PSLinkListCell) opens. Its rows are the
// list's titles, the row of the current value carries a check mark, and choosing a row stores
// its value through the list specifier's setter (the parent pane's setPreferenceValue:
// specifier:), then marks it.
#pragma once

#include "platform/preferences/PSListController.hpp"

class PSListItemsController : public PSListController {
public:
    static Class registerRuntimeClass();

    // One PSListItemCell row per choice, under a group with the list's "footerText".
    PSSpecifierList specifiers();
    objc::Ref<UITableViewCell> tableViewCellForRowAtIndexPath(UITableView* table,
                                                              NSIndexPath* indexPath);
    void tableViewDidSelectRowAtIndexPath(UITableView* table, NSIndexPath* indexPath);

    // The value the list's getter answers now (the list specifier is this pane's specifier).
    foundation::Value currentValue() const;
};
