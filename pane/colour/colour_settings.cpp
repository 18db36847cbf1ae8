#include "pane/colour/colour_settings.hpp"

#include "pane/colour/cell_support.hpp"
#include "platform/foundation/dictionary_file_update.hpp"
#include "platform/foundation/property_list.hpp"
#include "settings/keys.hpp"

namespace tintbox::pane {
namespace {

namespace keys = tintbox::settings;

const foundation::Value* entry(const foundation::Dictionary& settings, std::string_view key) {
    return foundation::find(settings, key);
}

std::optional<float> percentAsOpacity(const foundation::Dictionary& settings,
                                      std::string_view key) {
    if (const foundation::Value* level = entry(settings, key))
        return level->floatValue() / 100.0f;
    return std::nullopt;
}

bool presentAndTrue(const foundation::Dictionary& settings, std::string_view key) {
    const foundation::Value* flag = entry(settings, key);
    return flag && flag->boolValue();
}

} // namespace

StoredColour loadStoredColour(const foundation::Dictionary& settings, const ColourKey& key,
                              std::string fallback) {
    StoredColour stored{std::move(fallback), {}, 0};
    const float accountList = percentAsOpacity(settings, keys::kListAlphaLevel).value_or(0.25f);
    const float accountMessage =
        percentAsOpacity(settings, keys::kMessageAlphaLevel).value_or(0.25f);
    const foundation::Value* colour = key.storedEntry(settings);
    if (colour && colour->asString())
        stored.colour = *colour->asString();
    if (key.isFilterColour()) {
        stored.alphas.mailBox = 0;
        stored.alphas.list =
            presentAndTrue(settings, keys::kUseAccountSettingsForListFilters)
                ? accountList
                : percentAsOpacity(settings, keys::kListAlphaLevelFilters).value_or(1.0f);
        stored.alphas.message =
            presentAndTrue(settings, keys::kUseAccountSettingsForMessageFilters)
                ? accountMessage
                : percentAsOpacity(settings, keys::kMessageAlphaLevelFilters).value_or(1.0f);
    } else {
        if (auto level = percentAsOpacity(settings, keys::kMailBoxAlphaLevel))
            stored.alphas.mailBox = *level;
        stored.alphas.list = accountList;
        stored.alphas.message = accountMessage;
    }
    if (const foundation::Value* type = entry(settings, keys::kColorPickerType))
        stored.pickerType = type->intValue();
    return stored;
}

StoredColour loadStoredColour(const std::filesystem::path& file, const ColourKey& key,
                              std::string fallback) {
    if (auto settings = foundation::dictionaryWithContentsOfFile(file))
        return loadStoredColour(*settings, key, std::move(fallback));
    return StoredColour{std::move(fallback), {}, 0};
}

bool saveColour(const std::filesystem::path& file, const ColourKey& key, const std::string& hex) {
    const auto update =
        foundation::updateDictionaryFile(file, [&](foundation::Dictionary& settings) {
            if (key.isFilterColour()) {
                // A colour for a filter that does not exist has nowhere to go.
                auto list = settings.find(keys::kFiltersEnabled);
                foundation::Array* records =
                    list != settings.end() ? list->second.asArray() : nullptr;
                const int index = *key.filterIndex;
                if (!records || index < 0 || static_cast<std::size_t>(index) >= records->size())
                    return false;
                foundation::Dictionary* record =
                    (*records)[static_cast<std::size_t>(index)].asDictionary();
                if (!record)
                    return false;
                (*record)["hexColor"] = hex;
            } else {
                settings[key.text] = hex;
            }
            return true;
        });
    reportSettingsWrite(update);
    return update.wrote;
}

} // namespace tintbox::pane
