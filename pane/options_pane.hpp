// The option panes: six settings panes of one family, each showing the specifier list named
// after it, giving its width slider the screen's longer side as its limit, with two tall
// slider rows and, in the two filter panes, a switch that greys out the rows it overrides.
// The Settings app makes them by name (TBOptionsAccountsList, ..., TBOptionsReminders).
#pragma once

#include "platform/foundation/value.hpp"
#include "platform/preferences/PSListController.hpp"

#include <array>
#include <string_view>

namespace tintbox::pane {

// What tells the members of the family apart.
struct OptionsPaneLayout {
    std::string_view className; // also the name of its specifier list
    std::string_view widthIdentifier;
    std::array<NSInteger, 2> tallRows{}; // section 0, 70 points high
    std::string_view switchKey;          // empty when the pane has none
    std::array<NSInteger, 2> switchedSliderRows{};
};

inline constexpr double kTallRowHeight = 70.0;
inline constexpr NSInteger kFirstDependentRow = 2;
inline constexpr NSInteger kLastDependentRow = 5;

// The family's behaviour; each member is this class registered under its own name.
template <const OptionsPaneLayout& Layout>
class TBOptionsPane : public PSListController {
public:
    static Class registerRuntimeClass();

    TBOptionsPane* initForContentSize(CGSize size);
    void viewWillAppear(bool animated);
    PSSpecifierList specifiers();
    void setPreferenceValueSpecifier(foundation::Value value, PSSpecifier* specifier);
    foundation::Value readPreferenceValue(PSSpecifier* specifier);
    double tableViewHeightForRowAtIndexPath(UITableView* table, NSIndexPath* indexPath);
    // The base cell; a dependent row also gets the state the switch last gave it, so rows
    // built after the switch read its value show that state too.
    objc::Ref<UITableViewCell> tableViewCellForRowAtIndexPath(UITableView* table,
                                                              NSIndexPath* indexPath);

    const foundation::Dictionary& settings() const { return m_settings; }

private:
    void setDependentRowsEnabled(bool enabled);
    void applyDependentState(UITableViewCell& cell, NSInteger row) const;

    foundation::Dictionary m_settings;
    bool m_specifiersBuilt{false};
    bool m_dependentRowsEnabled{true};
};

} // namespace tintbox::pane
