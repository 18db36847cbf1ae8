// PSListController: a settings pane whose rows are its specifiers. It is the data source and
// delegate of its table: group specifiers open sections, the other specifiers are rows, and
// each row's cell is made from its specifier (the cell type's standard cell, or "cellClass"
// by name). Every row reads its value through readPreferenceValue: and stores a change
// through setPreferenceValue:specifier: (both sent through the runtime on the specifier's
// target), so a pane that overrides them sees every row. A subclass overrides `specifiers`
// and fills `_specifiers` (mutableSpecifiers() in C++), usually from a specifier list:
//   PSSpecifierList specifiers() {
//       if (mutableSpecifiers().empty())
//           mutableSpecifiers() = loadSpecifiersFromPlistName("Tintbox", this);
//       return mutableSpecifiers(); }
#pragma once

#include "platform/foundation/value.hpp"
#include "platform/preferences/PSSpecifier.hpp"
#include "platform/preferences/PSViewController.hpp"
#include "platform/uikit/NSIndexPath.hpp"
#include "platform/uikit/UITableView.hpp"

#include <optional>
#include <string>

class PSListController : public PSViewController {
public:
    static Class registerRuntimeClass();

    // The base: answers the receiver (the table is made with the view).
    PSListController* initForContentSize(CGSize size);
    // Makes the grouped table, this pane as its data source and delegate, as the view.
    void loadView();

    // The specifier list (`specifiers`). The base answers `_specifiers`; subclasses override.
    PSSpecifierList specifiers();
    // `_specifiers`, the instance variable of that name.
    PSSpecifierList& mutableSpecifiers() { return m_specifiers; }
    void setSpecifiers(PSSpecifierList specifiers);
    // The specifiers of the specifier list `<name>.plist` in the bundle of this pane's class,
    // each with target as its target and readPreferenceValue: / setPreferenceValue:specifier:
    // as its getter and setter. A missing or unreadable list gives no specifiers (and one line
    // on stderr naming the file and the fault).
    PSSpecifierList loadSpecifiersFromPlistName(std::string name, id target);
    // The specifier of that identifier in `specifiers`; nil when none.
    PSSpecifier* specifierForID(std::string identifier);

    UITableView* table();
    // reload: asks `specifiers` again and rebuilds every row, each re-reading its value.
    void reload();
    // reloadSpecifiers: drops `_specifiers` (so `specifiers` builds them again), then reloads.
    void reloadSpecifiers();
    // Shown again: reloads so that every row shows the stored value.
    void viewWillAppear(bool animated);

    // The value a row shows: "key" in the domain file of "defaults"
    // (/var/mobile/Library/Preferences/<defaults>.plist), else "default".
    foundation::Value readPreferenceValue(PSSpecifier* specifier);
    // Stores value under "key" in the domain file of "defaults" (reread, changed, written
    // atomically; a null value removes the key), then posts "PostNotification" when given.
    void setPreferenceValueSpecifier(foundation::Value value, PSSpecifier* specifier);

    // Data source and delegate of the table.
    NSInteger numberOfSectionsInTableView(UITableView* table);
    NSInteger tableViewNumberOfRowsInSection(UITableView* table, NSInteger section);
    std::string tableViewTitleForHeaderInSection(UITableView* table, NSInteger section);
    std::string tableViewTitleForFooterInSection(UITableView* table, NSInteger section);
    objc::Ref<UITableViewCell> tableViewCellForRowAtIndexPath(UITableView* table,
                                                              NSIndexPath* indexPath);
    // The specifier's "height" property, else 44.
    double tableViewHeightForRowAtIndexPath(UITableView* table, NSIndexPath* indexPath);
    // Links open their detail class, choice lists their choices, buttons send their action.
    void tableViewDidSelectRowAtIndexPath(UITableView* table, NSIndexPath* indexPath);

    // Rows and specifiers (from the list the last reload took).
    PSSpecifier* specifierAtIndexPath(NSIndexPath* indexPath) const;
    PSSpecifier* specifierAt(NSInteger section, NSInteger row) const;
    std::optional<std::pair<NSInteger, NSInteger>> indexOfSpecifier(const PSSpecifier* s) const;
    // The cell shown for a specifier's row; nil when it has none.
    UITableViewCell* cachedCellForSpecifier(PSSpecifier* specifier);

private:
    struct Section {
        objc::Ref<PSSpecifier> group; // nil for rows before the first group
        PSSpecifierList rows;
    };
    void rebuildSections();
    void openLink(PSSpecifier* specifier);
    void openChoices(PSSpecifier* specifier);
    void sendButtonAction(PSSpecifier* specifier);

    PSSpecifierList m_specifiers;
    std::vector<Section> m_sections;
    objc::Ref<UITableView> m_table;
};
