#include "settings/loader.hpp"

#include "platform/foundation/device_path.hpp"
#include "platform/foundation/property_list.hpp"
#include "settings/keys.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace tintbox::settings {
namespace {

using foundation::Dictionary;
using foundation::Value;

// Present keys overwrite the field; absent ones leave it as it was.
void readBool(const Dictionary& file, std::string_view key, bool& field) {
    if (const Value* value = foundation::find(file, key))
        field = value->boolValue();
}

void readInt(const Dictionary& file, std::string_view key, std::int32_t& field) {
    if (const Value* value = foundation::find(file, key))
        field = value->intValue();
}

void readAlphaLevel(const Dictionary& file, std::string_view key, float& field) {
    if (const Value* value = foundation::find(file, key))
        field = opacityFromAlphaLevel(value->intValue());
}

// The filter-band keys: an absent key gives its default rather than the previous value.
std::int32_t intOrDefault(const Dictionary& file, std::string_view key, std::int32_t fallback) {
    const Value* value = foundation::find(file, key);
    return value ? value->intValue() : fallback;
}

float alphaLevelOrDefault(const Dictionary& file, std::string_view key, std::int32_t fallback) {
    return opacityFromAlphaLevel(intOrDefault(file, key, fallback));
}

void readListFilterBand(const Dictionary& file, SettingsSnapshot& snapshot) {
    if (snapshot.useAccountSettingsForListFilters) {
        snapshot.highlightListTypeFilters = snapshot.highlightListType;
        snapshot.listWidthTypeFilters = snapshot.listWidthType;
        snapshot.listHeightTypeFilters = snapshot.listHeightType;
        snapshot.listAlphaLevelFilters = snapshot.listAlphaLevel;
        return;
    }
    snapshot.highlightListTypeFilters =
        intOrDefault(file, kHighlightListTypeFilters, defaults::kHighlightListTypeFilters);
    snapshot.listWidthTypeFilters =
        intOrDefault(file, kListWidthTypeFilters, defaults::kListWidthTypeFilters);
    snapshot.listHeightTypeFilters =
        intOrDefault(file, kListHeightTypeFilters, defaults::kListHeightTypeFilters);
    snapshot.listAlphaLevelFilters =
        alphaLevelOrDefault(file, kListAlphaLevelFilters, defaults::kListAlphaLevelFilters);
}

void readMessageFilterBand(const Dictionary& file, SettingsSnapshot& snapshot) {
    if (snapshot.useAccountSettingsForMessageFilters) {
        snapshot.highlightMessageTypeFilters = snapshot.highlightMessageType;
        snapshot.messageWidthTypeFilters = snapshot.messageWidthType;
        snapshot.messageAlignmentFilters = snapshot.messageAlignment;
        snapshot.messageAlphaLevelFilters = snapshot.messageAlphaLevel;
        return;
    }
    snapshot.highlightMessageTypeFilters =
        intOrDefault(file, kHighlightMessageTypeFilters, defaults::kHighlightMessageTypeFilters);
    snapshot.messageWidthTypeFilters =
        intOrDefault(file, kMessageWidthTypeFilters, defaults::kMessageWidthTypeFilters);
    snapshot.messageAlignmentFilters =
        intOrDefault(file, kMessageAlignmentFilters, defaults::kMessageAlignmentFilters);
    snapshot.messageAlphaLevelFilters =
        alphaLevelOrDefault(file, kMessageAlphaLevelFilters, defaults::kMessageAlphaLevelFilters);
}

bool isEmptyPattern(const Value* pattern) {
    if (!pattern)
        return true;
    const std::string* text = pattern->asString();
    // A pattern that is not text cannot be matched; it takes no part, as an empty one.
    return !text || text->empty();
}

bool hasUsableColour(const Dictionary& record) {
    const Value* colour = foundation::find(record, filter_record::kHexColor);
    const std::string* text = colour ? colour->asString() : nullptr;
    return text && *text != kNoColourHex;
}

bool hasPattern(const Dictionary& record) {
    for (const auto& field : filter_record::kPatternFields) {
        if (!isEmptyPattern(foundation::find(record, field.pattern)))
            return true;
    }
    return false;
}

// A copy of the record without its empty patterns, or nothing when the record is unusable.
std::optional<Dictionary> usableRecord(const Value& entry) {
    const Dictionary* record = entry.asDictionary();
    if (!record || foundation::find(*record, filter_record::kString) || !hasUsableColour(*record) ||
        !hasPattern(*record))
        return std::nullopt;
    Dictionary cleaned = *record;
    for (const auto& field : filter_record::kPatternFields) {
        const auto it = cleaned.find(field.pattern);
        if (it != cleaned.end() && isEmptyPattern(&it->second))
            cleaned.erase(it);
    }
    return cleaned;
}

} // namespace

std::filesystem::path settingsFilePath() {
    return foundation::devicePath(kSettingsFilePath);
}

std::vector<Dictionary> cleanFilterList(const Value* filtersEnabled) {
    std::vector<Dictionary> filters;
    const foundation::Array* records = filtersEnabled ? filtersEnabled->asArray() : nullptr;
    if (!records)
        return filters;
    for (const Value& entry : *records) {
        if (auto record = usableRecord(entry))
            filters.push_back(std::move(*record));
    }
    return filters;
}

void loadSettings(SettingsSnapshot& snapshot, const std::filesystem::path& settingsFile) {
    snapshot.settings = foundation::dictionaryWithContentsOfFile(settingsFile);
    if (!snapshot.settings) {
        snapshot.enabled = false;
        return;
    }
    const Dictionary& file = *snapshot.settings;

    readBool(file, kEnabled, snapshot.enabled);
    readBool(file, kEnableUnreadAndFlagged, snapshot.enableUnreadAndFlagged);
    readBool(file, kEnableMarkAsReadAndMove, snapshot.enableMarkAsReadAndMove);
    readBool(file, kReminderIncludeEmailLink, snapshot.reminderIncludeEmailLink);
    readInt(file, kReminderSubjectLimit, snapshot.reminderSubjectLimit);
    readInt(file, kReminderBodyLimit, snapshot.reminderBodyLimit);
    readBool(file, kHighlightFolderList, snapshot.highlightFolderList);
    readInt(file, kHighlightMailBoxType, snapshot.highlightMailBoxType);
    readInt(file, kMailBoxWidthType, snapshot.mailBoxWidthType);
    readAlphaLevel(file, kMailBoxAlphaLevel, snapshot.mailBoxAlphaLevel);
    readInt(file, kHighlightListType, snapshot.highlightListType);
    readInt(file, kListWidthType, snapshot.listWidthType);
    readInt(file, kListHeightType, snapshot.listHeightType);
    readAlphaLevel(file, kListAlphaLevel, snapshot.listAlphaLevel);
    readInt(file, kHighlightMessageType, snapshot.highlightMessageType);
    readInt(file, kMessageWidthType, snapshot.messageWidthType);
    readInt(file, kMessageAlignment, snapshot.messageAlignment);
    readAlphaLevel(file, kMessageAlphaLevel, snapshot.messageAlphaLevel);
    readBool(file, kUseAccountSettingsForListFilters, snapshot.useAccountSettingsForListFilters);
    readBool(file, kNewLayerListFilters, snapshot.newLayerListFilters);

    readListFilterBand(file, snapshot);

    readBool(file, kUseAccountSettingsForMessageFilters,
             snapshot.useAccountSettingsForMessageFilters);
    readBool(file, kNewLayerMessageFilters, snapshot.newLayerMessageFilters);

    readMessageFilterBand(file, snapshot);

    snapshot.filters = cleanFilterList(foundation::find(file, kFiltersEnabled));
}

void settingsDidChange(SettingsSnapshot& snapshot, const std::filesystem::path& settingsFile) {
    snapshot.settingsChanged = true;
    snapshot.settings.reset();
    loadSettings(snapshot, settingsFile);
}

} // namespace tintbox::settings
