#include "platform/preferences/specifier_list.hpp"

#include <array>
#include <utility>

namespace preferences {
namespace {

constexpr std::array<std::pair<std::string_view, PSCellType>, 14> kCellTypes{{
    {"PSGroupCell", PSGroupCell},
    {"PSLinkCell", PSLinkCell},
    {"PSLinkListCell", PSLinkListCell},
    {"PSListItemCell", PSListItemCell},
    {"PSTitleValueCell", PSTitleValueCell},
    {"PSSliderCell", PSSliderCell},
    {"PSSwitchCell", PSSwitchCell},
    {"PSStaticTextCell", PSStaticTextCell},
    {"PSEditTextCell", PSEditTextCell},
    {"PSSegmentCell", PSSegmentCell},
    {"PSSecureEditTextCell", PSSecureEditTextCell},
    {"PSButtonCell", PSButtonCell},
    {"PSDefaultCell", PSDefaultCell},
    // The list-items controller's own rows, as lists sometimes name them.
    {"PSListItemsController", PSLinkListCell},
}};

const std::string* stringEntry(const foundation::Dictionary& item, std::string_view key) {
    const foundation::Value* value = foundation::find(item, key);
    return value ? value->asString() : nullptr;
}

SEL selectorEntry(const foundation::Dictionary& item, std::string_view key, SEL fallback) {
    const std::string* name = stringEntry(item, key);
    return name && !name->empty() ? sel_registerName(*name) : fallback;
}

void note(std::string* error, std::string line) {
    if (error && error->empty())
        *error = std::move(line);
}

} // namespace

std::optional<PSCellType> cellTypeNamed(std::string_view name) {
    for (const auto& [typeName, type] : kCellTypes)
        if (typeName == name)
            return type;
    return std::nullopt;
}

objc::Ref<PSSpecifier> specifierFromItem(const foundation::Dictionary& item, id target,
                                         std::string* error) {
    const std::string* label = stringEntry(item, "label");
    const std::string name = label ? *label : std::string();
    const std::string* cellName = stringEntry(item, "cell");
    if (!cellName) {
        note(error, "item \"" + name + "\" has no \"cell\"");
        return nullptr;
    }
    std::optional<PSCellType> type = cellTypeNamed(*cellName);
    if (!type) {
        note(error, "item \"" + name + "\" has an unknown cell \"" + *cellName + "\"");
        return nullptr;
    }

    static const SEL readSelector = sel_registerName("readPreferenceValue:");
    static const SEL storeSelector = sel_registerName("setPreferenceValue:specifier:");
    Class detail = Nil;
    if (const std::string* detailName = stringEntry(item, "detail")) {
        detail = objc_getClass(*detailName);
        if (!detail)
            note(error,
                 "item \"" + name + "\" names an unknown detail class \"" + *detailName + "\"");
    } else if (*type == PSLinkListCell) {
        detail = objc_getClass("PSListItemsController");
    }
    if (const std::string* cellClass = stringEntry(item, "cellClass"))
        if (!objc_getClass(*cellClass))
            note(error, "item \"" + name + "\" names an unknown cell class \"" + *cellClass + "\"");

    auto specifier = PSSpecifier::preferenceSpecifierNamed(
        name, target, selectorEntry(item, "set", storeSelector),
        selectorEntry(item, "get", readSelector), detail, *type, Nil);
    specifier->setProperties(item);
    if (const std::string* identifier = stringEntry(item, "id"))
        specifier->setIdentifier(*identifier);
    specifier->setAction(selectorEntry(item, "action", nullptr));

    const foundation::Value* values = foundation::find(item, "validValues");
    const foundation::Value* titles = foundation::find(item, "validTitles");
    if (values && values->asArray()) {
        std::vector<std::string> titleTexts;
        const foundation::Array* titleArray = titles ? titles->asArray() : nullptr;
        for (std::size_t i = 0; i < values->asArray()->size(); ++i) {
            const foundation::Value* title =
                titleArray && i < titleArray->size() ? &(*titleArray)[i] : nullptr;
            // A missing title shows the value itself.
            if (title && title->asString())
                titleTexts.push_back(*title->asString());
            else if (const std::string* text = (*values->asArray())[i].asString())
                titleTexts.push_back(*text);
            else
                titleTexts.push_back(std::to_string((*values->asArray())[i].intValue()));
        }
        specifier->setValuesTitles(*values->asArray(), std::move(titleTexts));
    }
    return specifier;
}

PSSpecifierList specifiersFromList(const foundation::Dictionary& list, id target,
                                   std::vector<std::string>* errors) {
    PSSpecifierList specifiers;
    const foundation::Value* items = foundation::find(list, "items");
    if (!items || !items->asArray()) {
        if (errors)
            errors->push_back("the list has no \"items\" array");
        return specifiers;
    }
    std::size_t index = 0;
    for (const foundation::Value& item : *items->asArray()) {
        std::string error;
        objc::Ref<PSSpecifier> specifier;
        if (const foundation::Dictionary* dictionary = item.asDictionary())
            specifier = specifierFromItem(*dictionary, target, &error);
        else
            error = "is not a dictionary";
        if (!error.empty() && errors)
            errors->push_back("item " + std::to_string(index) + ": " + error);
        if (specifier)
            specifiers.push_back(std::move(specifier));
        ++index;
    }
    return specifiers;
}

} // namespace preferences
