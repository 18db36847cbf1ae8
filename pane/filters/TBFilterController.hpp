// The "Filters" pane: the user's filters in a table that is always editing - ENABLED (in the
// order the mail extension tries them), DISABLED (under the row that adds a filter) and a third
// section that deletes what is dragged into it. Tapping an enabled filter opens its editor.
// Every change is written to the settings file at once and announced. The root pane's
// "Filters" row makes it by name.
#pragma once

#include "pane/filters/filter_lists.hpp"
#include "platform/foundation/value.hpp"
#include "platform/preferences/PSViewController.hpp"
#include "platform/uikit/NSIndexPath.hpp"
#include "platform/uikit/UITableView.hpp"

#include <optional>

namespace tintbox::pane {

class TBFilterController : public PSViewController {
public:
    static Class registerRuntimeClass();

    // The base initialiser, the settings copy, then the table.
    TBFilterController* init();
    void viewDidLoad();
    // Reloads the copy and the table 0.25 seconds later, so that changes made by the filter
    // editor just closed show.
    void viewWillAppear(bool animated);
    void viewWillDisappear(bool animated);

    std::string tableViewTitleForHeaderInSection(UITableView* table, NSInteger section);
    NSInteger numberOfSectionsInTableView(UITableView* table);
    NSInteger tableViewNumberOfRowsInSection(UITableView* table, NSInteger section);
    objc::Ref<UITableViewCell> tableViewCellForRowAtIndexPath(UITableView* table,
                                                              NSIndexPath* indexPath);
    UITableViewCellEditingStyle tableViewEditingStyleForRowAtIndexPath(UITableView* table,
                                                                       NSIndexPath* indexPath);
    bool tableViewCanEditRowAtIndexPath(UITableView* table, NSIndexPath* indexPath);
    bool tableViewCanMoveRowAtIndexPath(UITableView* table, NSIndexPath* indexPath);
    bool tableViewShouldIndentWhileEditingRowAtIndexPath(UITableView* table,
                                                         NSIndexPath* indexPath);
    void tableViewCommitEditingStyleForRowAtIndexPath(UITableView* table,
                                                      UITableViewCellEditingStyle style,
                                                      NSIndexPath* indexPath);
    void tableViewDidSelectRowAtIndexPath(UITableView* table, NSIndexPath* indexPath);
    void tableViewMoveRowAtIndexPathToIndexPath(UITableView* table, NSIndexPath* from,
                                                NSIndexPath* to);
    // Replaces the settings copy by the settings file (an empty one when it cannot be read).
    void reloadSortOrder();

    foundation::Dictionary settings() const { return m_settings; }
    void setSettings(foundation::Dictionary settings) { m_settings = std::move(settings); }
    UITableView* tableView() const { return m_tableView.get(); }

private:
    // Applies a change of the lists to the file as it is on disk, so that what other panes
    // wrote since the copy was read (the editor's last change, say) survives. A change that
    // names rows by place is only applied when the lists on disk still have the shape shown;
    // otherwise nothing is written and the table shows the lists as they now are.
    void saveChange(const std::function<bool(FilterLists&)>& change, bool needsShownShape);

    foundation::Dictionary m_settings;
    objc::Ref<UITableView> m_tableView;
};

} // namespace tintbox::pane
