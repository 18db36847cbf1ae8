#include "pane/colour/ColorSelectorController.hpp"

#include "pane/colour/TBColorCell.hpp"
#include "platform/foundation/device_path.hpp"
#include "platform/foundation/property_list.hpp"
#include "settings/keys.hpp"

namespace tintbox::pane {
namespace {

[[maybe_unused]] const Class registeredAtLoad = ColorSelectorController::registerRuntimeClass();

constexpr const char* kSpecifierList = "TintboxColorSelector";

} // namespace

Class ColorSelectorController::registerRuntimeClass() {
    PSListController::registerRuntimeClass();
    TBColorCell::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<ColorSelectorController, PSListController>("ColorSelectorController")
            .method<&ColorSelectorController::initForContentSize>("initForContentSize:")
            .method<&ColorSelectorController::setPreferenceValueSpecifier>(
                "setPreferenceValue:specifier:")
            .method<&ColorSelectorController::readPreferenceValue>("readPreferenceValue:")
            .method<&ColorSelectorController::specifiers>("specifiers")
            .method<&ColorSelectorController::tableViewHeightForRowAtIndexPath>(
                "tableView:heightForRowAtIndexPath:");
    return cls;
}

ColorSelectorController* ColorSelectorController::initForContentSize(CGSize size) {
    if (!PSListController::initForContentSize(size))
        return nullptr;
    m_settings = foundation::dictionaryWithContentsOfFile(
                     foundation::devicePath(tintbox::settings::kSettingsFilePrivatePath))
                     .value_or(foundation::Dictionary{});
    return this;
}

void ColorSelectorController::setPreferenceValueSpecifier(foundation::Value, PSSpecifier*) {}

foundation::Value ColorSelectorController::readPreferenceValue(PSSpecifier*) {
    return {};
}

PSSpecifierList ColorSelectorController::specifiers() {
    if (m_specifiersBuilt)
        return mutableSpecifiers();
    m_specifiersBuilt = true;
    mutableSpecifiers() = loadSpecifiersFromPlistName(kSpecifierList, this);
    if (mutableSpecifiers().empty())
        return mutableSpecifiers();
    const foundation::Value title =
        specifier() ? specifier()->propertyForKey("title") : foundation::Value();
    PSSpecifier& cell = *mutableSpecifiers().front();
    cell.setPropertyForKey(title, "key");
    const foundation::Value* prefer = foundation::find(m_settings, settings::kPreferColorPicker);
    cell.setPropertyForKey(prefer ? *prefer : foundation::Value(true), "preferColorPicker");
    setTitle(title.asString() ? *title.asString() : std::string());
    return mutableSpecifiers();
}

double ColorSelectorController::tableViewHeightForRowAtIndexPath(UITableView*, NSIndexPath*) {
    return kColorCellHeight;
}

} // namespace tintbox::pane
