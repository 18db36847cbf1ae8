#include "pane/filters/TBFilterSelectorController.hpp"

#include "engine/regex.hpp"
#include "pane/colour/ColorSelectorController.hpp"
#include "pane/colour/colour_key.hpp"
#include "pane/filters/filter_swatch.hpp"
#include "pane/settings_file.hpp"
#include "platform/uikit/UIAlertView.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UITableViewCell.hpp"
#include "settings/keys.hpp"

namespace tintbox::pane {
namespace {

[[maybe_unused]] const Class registeredAtLoad = TBFilterSelectorController::registerRuntimeClass();

namespace record = settings::filter_record;

constexpr const char* kSpecifierList = "TintboxFilters";
constexpr double kRowHeight = 34.0;
constexpr NSInteger kFieldSection = 0;
constexpr NSInteger kColourRow = 8;
constexpr NSInteger kFormulaSection = 1;

// Which field a key belongs to, and whether it is the field's pattern or its match type.
struct FieldKey {
    std::size_t field{0};
    bool pattern{false};
};

std::optional<FieldKey> fieldKeyOf(std::string_view key) {
    for (std::size_t i = 0; i < record::kPatternFields.size(); ++i) {
        if (key == record::kPatternFields[i].pattern)
            return FieldKey{i, true};
        if (key == record::kPatternFields[i].matchType)
            return FieldKey{i, false};
    }
    return std::nullopt;
}

// Rows 1, 3, 5 and 7 of the field section hold the match types of the four fields.
NSInteger matchTypeRowOf(std::size_t field) {
    return static_cast<NSInteger>(2 * field + 1);
}

std::optional<std::size_t> fieldOfMatchTypeRow(NSInteger row) {
    if (row < 1 || row > 7 || row % 2 == 0)
        return std::nullopt;
    return static_cast<std::size_t>(row / 2);
}

std::string keyOf(const PSSpecifier* specifier) {
    const foundation::Value key = specifier->propertyForKey("key");
    return key.asString() ? *key.asString() : std::string();
}

bool isFilledPattern(const foundation::Value& value) {
    return !value.isNull() && !(value.asString() && value.asString()->empty());
}

std::string textOf(const foundation::Value& value) {
    if (const std::string* text = value.asString())
        return *text;
    return value.isNull() ? std::string() : std::to_string(value.intValue());
}

} // namespace

Class TBFilterSelectorController::registerRuntimeClass() {
    PSListController::registerRuntimeClass();
    ColorSelectorController::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<TBFilterSelectorController, PSListController>(
            "TBFilterSelectorController")
            .method<&TBFilterSelectorController::openFAQ>("openFAQ")
            .method<&TBFilterSelectorController::initWithRow>("initWithRow:")
            .method<&TBFilterSelectorController::initForContentSize>("initForContentSize:")
            .method<&TBFilterSelectorController::viewWillAppear>("viewWillAppear:")
            .method<&TBFilterSelectorController::specifiers>("specifiers")
            .method<&TBFilterSelectorController::setPreferenceValueSpecifier>(
                "setPreferenceValue:specifier:")
            .method<&TBFilterSelectorController::readPreferenceValue>("readPreferenceValue:")
            .method<&TBFilterSelectorController::tableViewCellForRowAtIndexPath>(
                "tableView:cellForRowAtIndexPath:")
            .method<&TBFilterSelectorController::tableViewHeightForRowAtIndexPath>(
                "tableView:heightForRowAtIndexPath:")
            .method<&TBFilterSelectorController::settings>("settings")
            .method<&TBFilterSelectorController::setSettings>("setSettings:")
            .ivar<&TBFilterSelectorController::m_settings>("_settings")
            .ivar<&TBFilterSelectorController::m_tableView>("_tableView")
            .ivar<&TBFilterSelectorController::m_row>("_row")
            .ivar<&TBFilterSelectorController::m_formulaSpecifier>("_formulaSpecifier");
    return cls;
}

void TBFilterSelectorController::openFAQ() {
    UIApplication::sharedApplication()->openURL(std::string(kRegularExpressionHelpURL));
}

TBFilterSelectorController* TBFilterSelectorController::initWithRow(std::int32_t row) {
    m_row = row;
    return objc::msgSend<TBFilterSelectorController*(CGSize)>(
        this, PSViewController::initForContentSizeSelector(),
        UIScreen::mainScreen()->bounds().size);
}

TBFilterSelectorController* TBFilterSelectorController::initForContentSize(CGSize size) {
    if (!PSListController::initForContentSize(size))
        return nullptr;
    m_settings = loadSettingsFile();
    return this;
}

void TBFilterSelectorController::viewWillAppear(bool animated) {
    m_settings = loadSettingsFile();
    PSListController::viewWillAppear(animated);
    reload();
}

PSSpecifierList TBFilterSelectorController::specifiers() {
    if (m_specifiersBuilt)
        return mutableSpecifiers();
    m_specifiersBuilt = true;
    PSSpecifierList list = loadSpecifiersFromPlistName(kSpecifierList, this);

    const std::string colourName = std::string(kFilterColourPrefix) + " " + std::to_string(m_row);
    auto colour = PSSpecifier::preferenceSpecifierNamed(colourName, this, nullptr, nullptr,
                                                        objc_getClass("ColorSelectorController"),
                                                        PSLinkCell, Nil);
    colour->setPropertyForKey(colourName, "title");
    colour->setPropertyForKey(colourName, "label");
    list.push_back(colour);

    list.push_back(PSSpecifier::preferenceSpecifierNamed("Search Formula", this, nullptr, nullptr,
                                                         Nil, PSGroupCell, Nil));
    m_formulaSpecifier = PSSpecifier::preferenceSpecifierNamed("Search", this, nullptr, nullptr,
                                                               Nil, PSStaticTextCell, Nil);
    m_formulaSpecifier->setPropertyForKey(false, "enabled");
    list.push_back(m_formulaSpecifier);

    list.push_back(PSSpecifier::preferenceSpecifierNamed("Help", this, nullptr, nullptr, Nil,
                                                         PSGroupCell, Nil));
    auto help = PSSpecifier::preferenceSpecifierNamed("Case Insensitive Regular Expressions", this,
                                                      nullptr, nullptr, Nil, PSButtonCell, Nil);
    help->setPropertyForKey(true, "enabled");
    help->setAction(sel_registerName("openFAQ"));
    list.push_back(help);

    mutableSpecifiers() = std::move(list);
    return mutableSpecifiers();
}

const foundation::Dictionary*
TBFilterSelectorController::filterIn(const foundation::Dictionary& settings, std::int32_t row) {
    const foundation::Value* list = foundation::find(settings, settings::kFiltersEnabled);
    if (!list || !list->asArray() || row < 0 ||
        static_cast<std::size_t>(row) >= list->asArray()->size())
        return nullptr;
    return (*list->asArray())[static_cast<std::size_t>(row)].asDictionary();
}

foundation::Value TBFilterSelectorController::readPreferenceValue(PSSpecifier* specifier) {
    if (!specifier)
        return {};
    const std::string key = keyOf(specifier);
    const foundation::Dictionary* filter = filterIn(m_settings, m_row);
    const foundation::Value* entry = filter ? foundation::find(*filter, key) : nullptr;
    foundation::Value value = entry ? *entry : specifier->propertyForKey("default");
    followField(key, value);
    showFormula();
    return value;
}

void TBFilterSelectorController::setPreferenceValueSpecifier(foundation::Value value,
                                                             PSSpecifier* specifier) {
    if (!specifier)
        return;
    const std::string key = keyOf(specifier);
    if (key.empty())
        return;
    const std::optional<FieldKey> field = fieldKeyOf(key);
    if (field && field->pattern && isFilledPattern(value)) {
        const std::string pattern = textOf(value);
        if (const auto error = engine::patternError(pattern)) {
            refuseInvalidPattern(key, pattern, *error, specifier);
            return;
        }
    }

    followField(key, value);
    if (field && field->pattern) {
        PSSpecifier* typeRow = specifierAt(kFieldSection, matchTypeRowOf(field->field));
        if (UITableViewCell* cell = cachedCellForSpecifier(typeRow))
            if (UILabel* detail = cell->detailTextLabel())
                detail->setHidden(!m_fields[field->field].filled);
    }

    // Only the one entry of the one filter changes, on top of the file as it is now; when the
    // list on disk no longer has the filter, nothing is written rather than another filter.
    m_settings = updateSettingsFile([&](foundation::Dictionary& fresh) {
        if (!filterIn(fresh, m_row))
            return false;
        foundation::Array& list = *fresh[std::string(settings::kFiltersEnabled)].asArray();
        foundation::Dictionary& filter = *list[static_cast<std::size_t>(m_row)].asDictionary();
        if (value.isNull())
            filter.erase(key);
        else
            filter[key] = value;
        return true;
    });

    showFormula();
    auto formulaPath = NSIndexPath::indexPathForRow(0, kFormulaSection);
    if (UITableViewCell* cell = table()->cellForRowAtIndexPath(formulaPath.get()))
        cell->textLabel()->setText(m_formulaSpecifier ? m_formulaSpecifier->name() : "");
}

void TBFilterSelectorController::followField(std::string_view key, const foundation::Value& value) {
    const std::optional<FieldKey> field = fieldKeyOf(key);
    if (!field)
        return;
    if (field->pattern) {
        m_fields[field->field].filled = isFilledPattern(value);
        m_acceptedPatterns[field->field] = value;
    } else {
        m_fields[field->field].matchType = value.isNull() ? 0 : value.intValue();
    }
}

void TBFilterSelectorController::showFormula() {
    if (m_formulaSpecifier)
        m_formulaSpecifier->setName(searchFormula(m_fields));
}

void TBFilterSelectorController::refuseInvalidPattern(std::string_view key,
                                                      const std::string& pattern,
                                                      const std::string& error,
                                                      PSSpecifier* specifier) {
    auto alert = UIAlertView::withTitle("ERROR - " + std::string(key),
                                        pattern + "\n\nInvalid regular expression\n" + error, this,
                                        "", {"OK"});
    alert->show();
    // The field would otherwise go on showing the refused text as if it had been stored.
    if (const std::optional<FieldKey> field = fieldKeyOf(key))
        if (UITableViewCell* cell = cachedCellForSpecifier(specifier))
            objc::msgSend<void(foundation::Value)>(cell, sel_registerName("setValue:"),
                                                   m_acceptedPatterns[field->field]);
}

objc::Ref<UITableViewCell>
TBFilterSelectorController::tableViewCellForRowAtIndexPath(UITableView* table,
                                                           NSIndexPath* indexPath) {
    objc::Ref<UITableViewCell> cell =
        PSListController::tableViewCellForRowAtIndexPath(table, indexPath);
    if (!cell || !indexPath)
        return cell;
    const bool fieldSection = indexPath->section() == kFieldSection;
    if (fieldSection && indexPath->row() == kColourRow) {
        const foundation::Dictionary* filter = filterIn(m_settings, m_row);
        const std::optional<FilterSwatch> swatch =
            filter ? filterSwatch(m_settings, foundation::Value(*filter)) : std::nullopt;
        if (swatch) {
            const engine::Rgb8 colour = swatch->background;
            cell->textLabel()->setTextColor(swatch->whiteText ? UIColor::whiteColor().get()
                                                              : UIColor::blackColor().get());
            cell->setBackgroundColor(UIColor::colorWithRed(colour.red / 255.0, colour.green / 255.0,
                                                           colour.blue / 255.0, 1.0)
                                         .get());
            return cell;
        }
    }
    if (fieldSection)
        if (const std::optional<std::size_t> field = fieldOfMatchTypeRow(indexPath->row()))
            if (UILabel* detail = cell->detailTextLabel())
                detail->setHidden(!m_fields[*field].filled);
    cell->setBackgroundColor(UIColor::whiteColor().get());
    return cell;
}

double TBFilterSelectorController::tableViewHeightForRowAtIndexPath(UITableView*, NSIndexPath*) {
    return kRowHeight;
}

} // namespace tintbox::pane
