// The filter editor: one enabled filter's four patterns, each with how it joins the others
// (OR or AND), a link to the filter's colour, the search formula they make, and a help button.
// Each accepted change is written into that filter in the settings file and announced; a
// pattern that is not a valid regular expression is refused with an alert. The filter list
// pane makes it with initWithRow: and pushes it.
#pragma once

#include "pane/filters/search_formula.hpp"
#include "platform/foundation/value.hpp"
#include "platform/preferences/PSListController.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tintbox::pane {

// The page openFAQ asks the system to open.
inline constexpr std::string_view kRegularExpressionHelpURL =
    "http://help.quillward.net/repo/html/regularexpressions.htm";

class TBFilterSelectorController : public PSListController {
public:
    static Class registerRuntimeClass();

    void openFAQ();
    // The index of the edited filter in "filtersEnabled", then the ordinary initialisation.
    TBFilterSelectorController* initWithRow(std::int32_t row);
    // The base initialiser, then the settings copy read from disk.
    TBFilterSelectorController* initForContentSize(CGSize size);
    void viewWillAppear(bool animated);
    PSSpecifierList specifiers();
    // Validates a pattern, follows the field, and stores the value in the edited filter.
    void setPreferenceValueSpecifier(foundation::Value value, PSSpecifier* specifier);
    foundation::Value readPreferenceValue(PSSpecifier* specifier);
    objc::Ref<UITableViewCell> tableViewCellForRowAtIndexPath(UITableView* table,
                                                              NSIndexPath* indexPath);
    double tableViewHeightForRowAtIndexPath(UITableView* table, NSIndexPath* indexPath);

    foundation::Dictionary settings() const { return m_settings; }
    void setSettings(foundation::Dictionary settings) { m_settings = std::move(settings); }
    std::int32_t row() const { return m_row; }
    const FilterFieldStates& fieldStates() const { return m_fields; }

private:
    // The edited filter in a settings dictionary; nullptr when the list no longer has it.
    static const foundation::Dictionary* filterIn(const foundation::Dictionary& settings,
                                                  std::int32_t row);
    void followField(std::string_view key, const foundation::Value& value);
    void showFormula();
    void refuseInvalidPattern(std::string_view key, const std::string& pattern,
                              const std::string& error, PSSpecifier* specifier);

    foundation::Dictionary m_settings;
    objc::Ref<UITableView> m_tableView; // declared by the pane; the table is the base class's
    std::int32_t m_row{0};
    objc::Ref<PSSpecifier> m_formulaSpecifier;
    FilterFieldStates m_fields{};
    // Each pattern field's value as last read or accepted, which a refused pattern gives back.
    std::array<foundation::Value, 4> m_acceptedPatterns{};
    bool m_specifiersBuilt{false};
};

} // namespace tintbox::pane
