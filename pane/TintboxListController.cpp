#include "pane/TintboxListController.hpp"

#include "engine/colour.hpp"
#include "pane/account_list.hpp"
#include "pane/colour/ColorSelectorController.hpp"
#include "pane/settings_file.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UITableViewCell.hpp"
#include "settings/keys.hpp"

#include <algorithm>
#include <array>

namespace tintbox::pane {
namespace {

[[maybe_unused]] const Class registeredAtLoad = TintboxListController::registerRuntimeClass();

constexpr const char* kSpecifierList = "Tintbox";
constexpr NSInteger kAccountSection = 1;
constexpr double kSpacerHeight = 12.0;
constexpr double kRowHeight = 44.0;
constexpr float kDefaultListAlpha = 0.25f;
constexpr std::array<NSInteger, 6> kSpacerRows{5, 7, 9, 11, 13, 15};
constexpr std::array<NSInteger, 7> kClearRows{5, 7, 9, 11, 13, 15, 17};

bool negates(const PSSpecifier* specifier) {
    return specifier->propertyForKey("negate").boolValue();
}

std::string keyOf(const PSSpecifier* specifier) {
    const foundation::Value key = specifier->propertyForKey("key");
    return key.asString() ? *key.asString() : std::string();
}

template <std::size_t N>
bool contains(const std::array<NSInteger, N>& rows, NSInteger row) {
    return std::find(rows.begin(), rows.end(), row) != rows.end();
}

void paintAccountRow(UITableViewCell& cell) {
    const foundation::Dictionary& settings = sharedSettingsCopy();
    const foundation::Value* entry = foundation::find(settings, cell.textLabel()->text());
    if (!entry) {
        cell.setBackgroundColor(UIColor::whiteColor().get());
        return;
    }
    const std::string text = entry->asString() ? *entry->asString() : std::string();
    const engine::ColourValue value = engine::paneClamp(engine::parseHexColour(text));
    const foundation::Value* level = foundation::find(settings, settings::kListAlphaLevel);
    const float alpha = level ? static_cast<float>(level->intValue()) / 100.0f : kDefaultListAlpha;
    const engine::Rgb8 blended = engine::whiteBlend(engine::channelsOf(value), alpha);
    cell.textLabel()->setTextColor(engine::useWhiteFont(blended) ? UIColor::whiteColor().get()
                                                                 : UIColor::blackColor().get());
    cell.setBackgroundColor(
        UIColor::colorWithRed(blended.red / 255.0, blended.green / 255.0, blended.blue / 255.0, 1.0)
            .get());
}

} // namespace

foundation::Dictionary& sharedSettingsCopy() {
    static foundation::Dictionary copy;
    return copy;
}

Class TintboxListController::registerRuntimeClass() {
    PSListController::registerRuntimeClass();
    ColorSelectorController::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<TintboxListController, PSListController>("TintboxListController")
            .method<&TintboxListController::openFAQ>("openFAQ")
            .method<&TintboxListController::initForContentSize>("initForContentSize:")
            .method<&TintboxListController::viewWillAppear>("viewWillAppear:")
            .method<&TintboxListController::setPreferenceValueSpecifier>(
                "setPreferenceValue:specifier:")
            .method<&TintboxListController::readPreferenceValue>("readPreferenceValue:")
            .method<&TintboxListController::specifiers>("specifiers")
            .method<&TintboxListController::tableViewCellForRowAtIndexPath>(
                "tableView:cellForRowAtIndexPath:")
            .method<&TintboxListController::tableViewHeightForRowAtIndexPath>(
                "tableView:heightForRowAtIndexPath:");
    return cls;
}

void TintboxListController::openFAQ() {
    UIApplication::sharedApplication()->openURL(std::string(kHelpPageURL));
}

TintboxListController* TintboxListController::initForContentSize(CGSize size) {
    if (!PSListController::initForContentSize(size))
        return nullptr;
    sharedSettingsCopy() = loadSettingsFile();
    return this;
}

void TintboxListController::viewWillAppear(bool animated) {
    sharedSettingsCopy() = loadSettingsFile();
    PSListController::viewWillAppear(animated);
    reload();
}

void TintboxListController::setPreferenceValueSpecifier(foundation::Value value,
                                                        PSSpecifier* specifier) {
    if (!specifier)
        return;
    if (negates(specifier))
        value = foundation::Value(!value.boolValue());
    sharedSettingsCopy() = storeSettingsValue(keyOf(specifier), std::move(value));
}

foundation::Value TintboxListController::readPreferenceValue(PSSpecifier* specifier) {
    if (!specifier)
        return {};
    const foundation::Value* entry = foundation::find(sharedSettingsCopy(), keyOf(specifier));
    if (!entry)
        return specifier->propertyForKey("default");
    if (negates(specifier))
        return foundation::Value(!entry->boolValue());
    return *entry;
}

PSSpecifierList TintboxListController::specifiers() {
    if (m_specifiersBuilt)
        return mutableSpecifiers();
    m_specifiersBuilt = true;
    PSSpecifierList list = loadSpecifiersFromPlistName(kSpecifierList, this);
    if (const auto keys = accountSetKeys()) {
        const Class detail = objc_getClass("ColorSelectorController");
        for (const std::string& name : accountRowNames(*keys)) {
            auto row = PSSpecifier::preferenceSpecifierNamed(name, this, nullptr, nullptr, detail,
                                                             PSLinkCell, Nil);
            row->setPropertyForKey(name, "title");
            row->setPropertyForKey(name, "label");
            list.push_back(row);
        }
    }
    list.push_back(PSSpecifier::preferenceSpecifierNamed("Help", this, nullptr, nullptr, Nil,
                                                         PSGroupCell, Nil));
    auto faq = PSSpecifier::preferenceSpecifierNamed("Frequently Asked Questions", this, nullptr,
                                                     nullptr, Nil, PSButtonCell, Nil);
    faq->setPropertyForKey(true, "enabled");
    faq->setAction(sel_registerName("openFAQ"));
    list.push_back(faq);
    mutableSpecifiers() = std::move(list);
    return mutableSpecifiers();
}

objc::Ref<UITableViewCell>
TintboxListController::tableViewCellForRowAtIndexPath(UITableView* table, NSIndexPath* indexPath) {
    objc::Ref<UITableViewCell> cell =
        PSListController::tableViewCellForRowAtIndexPath(table, indexPath);
    if (!cell || !indexPath)
        return cell;
    if (indexPath->section() == kAccountSection)
        paintAccountRow(*cell);
    else if (contains(kClearRows, indexPath->row()))
        cell->setBackgroundColor(UIColor::clearColor().get());
    return cell;
}

double TintboxListController::tableViewHeightForRowAtIndexPath(UITableView*,
                                                               NSIndexPath* indexPath) {
    if (indexPath && indexPath->length() == 2 && indexPath->section() == 0 &&
        contains(kSpacerRows, indexPath->row()))
        return kSpacerHeight;
    return kRowHeight;
}

} // namespace tintbox::pane
