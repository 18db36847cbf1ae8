#include "pane/colour/TBSliderCell.hpp"
#include "pane/options_pane.hpp"
#include "pane/settings_file.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UITableViewCell.hpp"
#include "settings/keys.hpp"

#include <algorithm>

namespace tintbox::pane {
namespace {

constexpr double kRowHeight = 44.0;

std::string keyOf(const PSSpecifier* specifier) {
    const foundation::Value key = specifier->propertyForKey("key");
    return key.asString() ? *key.asString() : std::string();
}

} // namespace

template <const OptionsPaneLayout& Layout>
Class TBOptionsPane<Layout>::registerRuntimeClass() {
    PSListController::registerRuntimeClass();
    TBSliderCell::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<TBOptionsPane, PSListController>(std::string(Layout.className))
            .template method<&TBOptionsPane::initForContentSize>("initForContentSize:")
            .template method<&TBOptionsPane::viewWillAppear>("viewWillAppear:")
            .template method<&TBOptionsPane::specifiers>("specifiers")
            .template method<&TBOptionsPane::setPreferenceValueSpecifier>(
                "setPreferenceValue:specifier:")
            .template method<&TBOptionsPane::readPreferenceValue>("readPreferenceValue:")
            .template method<&TBOptionsPane::tableViewHeightForRowAtIndexPath>(
                "tableView:heightForRowAtIndexPath:")
            .template method<&TBOptionsPane::tableViewCellForRowAtIndexPath>(
                "tableView:cellForRowAtIndexPath:");
    return cls;
}

template <const OptionsPaneLayout& Layout>
TBOptionsPane<Layout>* TBOptionsPane<Layout>::initForContentSize(CGSize size) {
    if (!PSListController::initForContentSize(size))
        return nullptr;
    m_settings = loadSettingsFile();
    return this;
}

template <const OptionsPaneLayout& Layout>
void TBOptionsPane<Layout>::viewWillAppear(bool animated) {
    m_settings = loadSettingsFile();
    PSListController::viewWillAppear(animated);
    reload();
}

template <const OptionsPaneLayout& Layout>
PSSpecifierList TBOptionsPane<Layout>::specifiers() {
    if (m_specifiersBuilt)
        return mutableSpecifiers();
    m_specifiersBuilt = true;
    mutableSpecifiers() = loadSpecifiersFromPlistName(std::string(Layout.className), this);
    if (PSSpecifier* width = specifierForID(std::string(Layout.widthIdentifier))) {
        const CGRect bounds = UIScreen::mainScreen()->bounds();
        const float longest = static_cast<float>(std::max(bounds.size.width, bounds.size.height));
        width->setPropertyForKey(static_cast<double>(longest), "max");
    }
    return mutableSpecifiers();
}

template <const OptionsPaneLayout& Layout>
void TBOptionsPane<Layout>::setPreferenceValueSpecifier(foundation::Value value,
                                                        PSSpecifier* specifier) {
    if (!specifier)
        return;
    const std::string key = keyOf(specifier);
    if (!Layout.switchKey.empty() && key == Layout.switchKey)
        setDependentRowsEnabled(!value.boolValue());
    m_settings = storeSettingsValue(key, std::move(value));
}

template <const OptionsPaneLayout& Layout>
foundation::Value TBOptionsPane<Layout>::readPreferenceValue(PSSpecifier* specifier) {
    if (!specifier)
        return {};
    const std::string key = keyOf(specifier);
    const foundation::Value* entry = foundation::find(m_settings, key);
    foundation::Value value = entry ? *entry : specifier->propertyForKey("default");
    if (!Layout.switchKey.empty() && key == Layout.switchKey)
        setDependentRowsEnabled(!value.isNull() && !value.boolValue());
    return value;
}

template <const OptionsPaneLayout& Layout>
double TBOptionsPane<Layout>::tableViewHeightForRowAtIndexPath(UITableView*,
                                                               NSIndexPath* indexPath) {
    if (indexPath && indexPath->section() == 0 &&
        std::ranges::find(Layout.tallRows, indexPath->row()) != Layout.tallRows.end())
        return kTallRowHeight;
    return kRowHeight;
}

template <const OptionsPaneLayout& Layout>
objc::Ref<UITableViewCell>
TBOptionsPane<Layout>::tableViewCellForRowAtIndexPath(UITableView* table, NSIndexPath* indexPath) {
    objc::Ref<UITableViewCell> cell =
        PSListController::tableViewCellForRowAtIndexPath(table, indexPath);
    if (cell && indexPath && !Layout.switchKey.empty() && indexPath->section() == 0 &&
        indexPath->row() >= kFirstDependentRow && indexPath->row() <= kLastDependentRow)
        applyDependentState(*cell, indexPath->row());
    return cell;
}

template <const OptionsPaneLayout& Layout>
void TBOptionsPane<Layout>::setDependentRowsEnabled(bool enabled) {
    m_dependentRowsEnabled = enabled;
    for (NSInteger row = kFirstDependentRow; row <= kLastDependentRow; ++row) {
        PSSpecifier* specifier = specifierAt(0, row);
        if (!specifier)
            continue;
        if (UITableViewCell* shown = cachedCellForSpecifier(specifier))
            applyDependentState(*shown, row);
    }
}

template <const OptionsPaneLayout& Layout>
void TBOptionsPane<Layout>::applyDependentState(UITableViewCell& cell, NSInteger row) const {
    const bool enabled = m_dependentRowsEnabled;
    cell.setSelectionStyle(UITableViewCellSelectionStyleNone);
    cell.setUserInteractionEnabled(enabled);
    if (cell.textLabel())
        cell.textLabel()->setEnabled(enabled);
    if (cell.detailTextLabel())
        cell.detailTextLabel()->setEnabled(enabled);
    if (std::ranges::find(Layout.switchedSliderRows, row) != Layout.switchedSliderRows.end())
        if (auto slider = objc::dynamicCast<TBSliderCell>(objc::Ref<UITableViewCell>(&cell)))
            slider->enableControls(enabled);
}

inline constexpr OptionsPaneLayout kAccountsList{
    "TBOptionsAccountsList", "TBWidthTypeList", {1, 3}, {}, {}};
inline constexpr OptionsPaneLayout kAccountsMailbox{
    "TBOptionsAccountsMailbox", "TBWidthTypeMailBox", {2, 3}, {}, {}};
inline constexpr OptionsPaneLayout kAccountsMessage{
    "TBOptionsAccountsMessage", "TBWidthTypeMessage", {2, 3}, {}, {}};
inline constexpr OptionsPaneLayout kFiltersList{"TBOptionsFiltersList",
                                                "TBWidthTypeList",
                                                {3, 5},
                                                settings::kUseAccountSettingsForListFilters,
                                                {3, 5}};
inline constexpr OptionsPaneLayout kFiltersMessage{"TBOptionsFiltersMessage",
                                                   "TBWidthTypeMessage",
                                                   {4, 5},
                                                   settings::kUseAccountSettingsForMessageFilters,
                                                   {4, 5}};
inline constexpr OptionsPaneLayout kReminders{
    "TBOptionsReminders", "TBWidthTypeList", {2, 3}, {}, {}};

namespace {

[[maybe_unused]] const std::array registeredAtLoad{
    TBOptionsPane<kAccountsList>::registerRuntimeClass(),
    TBOptionsPane<kAccountsMailbox>::registerRuntimeClass(),
    TBOptionsPane<kAccountsMessage>::registerRuntimeClass(),
    TBOptionsPane<kFiltersList>::registerRuntimeClass(),
    TBOptionsPane<kFiltersMessage>::registerRuntimeClass(),
    TBOptionsPane<kReminders>::registerRuntimeClass(),
};

} // namespace
} // namespace tintbox::pane
