// The settings pane's root pane: the option rows of the specifier list "Tintbox", one row per
// mail account painted in that account's colour (each opening the colour selector pane), and
// a "Help" group whose button opens the help page. The Settings app makes it by name.
#pragma once

#include "platform/foundation/value.hpp"
#include "platform/preferences/PSListController.hpp"

#include <string_view>

namespace tintbox::pane {

// The help page openFAQ asks the system to open.
inline constexpr std::string_view kHelpPageURL =
    "http://help.quillward.net/repo/html/f/tintbox.htm";

class TintboxListController : public PSListController {
public:
    static Class registerRuntimeClass();

    void openFAQ();
    // The base initialiser, then the shared settings copy read from disk.
    TintboxListController* initForContentSize(CGSize size);
    void viewWillAppear(bool animated);
    // Negates when the row asks for it, then stores on top of the file as it is on disk.
    void setPreferenceValueSpecifier(foundation::Value value, PSSpecifier* specifier);
    foundation::Value readPreferenceValue(PSSpecifier* specifier);
    PSSpecifierList specifiers();
    objc::Ref<UITableViewCell> tableViewCellForRowAtIndexPath(UITableView* table,
                                                              NSIndexPath* indexPath);
    double tableViewHeightForRowAtIndexPath(UITableView* table, NSIndexPath* indexPath);

private:
    bool m_specifiersBuilt{false};
};

// The settings copy that every root pane of the process shares.
foundation::Dictionary& sharedSettingsCopy();

} // namespace tintbox::pane
