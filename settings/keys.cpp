#include "settings/keys.hpp"

#include <algorithm>

namespace tintbox::settings {

std::string preferencesFilePath(std::string_view domain) {
    return "/var/mobile/Library/Preferences/" + std::string(domain) + ".plist";
}

bool isOptionKey(std::string_view key) {
    return std::find(kOptionKeys.begin(), kOptionKeys.end(), key) != kOptionKeys.end();
}

namespace {

foundation::Dictionary makeDefaultValues() {
    using foundation::Value;
    foundation::Dictionary table;
    const auto put = [&table](std::string_view key, Value value) {
        table.emplace(std::string(key), std::move(value));
    };
    put(kEnabled, defaults::kEnabled);
    put(kEnableUnreadAndFlagged, defaults::kEnableUnreadAndFlagged);
    put(kEnableMarkAsReadAndMove, defaults::kEnableMarkAsReadAndMove);
    put(kHighlightFolderList, defaults::kHighlightFolderList);

    put(kHighlightMailBoxType, defaults::kHighlightMailBoxType);
    put(kMailBoxWidthType, defaults::kMailBoxWidthType);
    put(kMailBoxAlphaLevel, defaults::kMailBoxAlphaLevel);

    put(kHighlightListType, defaults::kHighlightListType);
    put(kListWidthType, defaults::kListWidthType);
    put(kListHeightType, defaults::kListHeightType);
    put(kListAlphaLevel, defaults::kListAlphaLevel);

    put(kUseAccountSettingsForListFilters, defaults::kUseAccountSettingsForListFilters);
    put(kNewLayerListFilters, defaults::kNewLayerListFilters);
    put(kHighlightListTypeFilters, defaults::kHighlightListTypeFilters);
    put(kListWidthTypeFilters, defaults::kListWidthTypeFilters);
    put(kListHeightTypeFilters, defaults::kListHeightTypeFilters);
    put(kListAlphaLevelFilters, defaults::kListAlphaLevelFilters);

    put(kHighlightMessageType, defaults::kHighlightMessageType);
    put(kMessageWidthType, defaults::kMessageWidthType);
    put(kMessageAlignment, defaults::kMessageAlignment);
    put(kMessageAlphaLevel, defaults::kMessageAlphaLevel);

    put(kUseAccountSettingsForMessageFilters, defaults::kUseAccountSettingsForMessageFilters);
    put(kNewLayerMessageFilters, defaults::kNewLayerMessageFilters);
    put(kHighlightMessageTypeFilters, defaults::kHighlightMessageTypeFilters);
    put(kMessageWidthTypeFilters, defaults::kMessageWidthTypeFilters);
    put(kMessageAlignmentFilters, defaults::kMessageAlignmentFilters);
    put(kMessageAlphaLevelFilters, defaults::kMessageAlphaLevelFilters);

    put(kReminderIncludeEmailLink, defaults::kReminderIncludeEmailLink);
    put(kReminderSubjectLimit, defaults::kReminderSubjectLimit);
    put(kReminderBodyLimit, defaults::kReminderBodyLimit);

    put(kFiltersEnabled, foundation::Array{});
    put(kFiltersDisabled, foundation::Array{});

    put(kPreferColorPicker, defaults::kPreferColorPicker);
    put(kColorPickerType, defaults::kColorPickerType);
    return table;
}

} // namespace

const foundation::Dictionary& defaultValues() {
    static const foundation::Dictionary table = makeDefaultValues();
    return table;
}

const foundation::Value* defaultValue(std::string_view key) {
    return foundation::find(defaultValues(), key);
}

} // namespace tintbox::settings
