// SettingsSnapshot: the mail extension's one in-memory copy of the settings file. The loader
// (settings/loader.hpp) fills it at start and on every change notification; drawing code reads
// its plain fields only. Fields are named after their keys; alpha levels are opacities 0.0-1.0.
#pragma once

#include "platform/foundation/value.hpp"
#include "settings/keys.hpp"

#include <cstdint>
#include <optional>
#include <vector>

namespace tintbox::settings {

struct SettingsSnapshot {
    // The whole settings file as last read; none when it could not be read.
    std::optional<foundation::Dictionary> settings;

    bool enabled = defaults::kEnabled;
    bool enableUnreadAndFlagged = defaults::kEnableUnreadAndFlagged;
    bool enableMarkAsReadAndMove = defaults::kEnableMarkAsReadAndMove;
    bool highlightFolderList = defaults::kHighlightFolderList;

    bool reminderIncludeEmailLink = defaults::kReminderIncludeEmailLink;
    std::int32_t reminderSubjectLimit = defaults::kReminderSubjectLimit;
    std::int32_t reminderBodyLimit = defaults::kReminderBodyLimit;

    std::int32_t highlightMailBoxType = defaults::kHighlightMailBoxType;
    std::int32_t mailBoxWidthType = defaults::kMailBoxWidthType;
    float mailBoxAlphaLevel = opacityFromAlphaLevel(defaults::kMailBoxAlphaLevel);

    std::int32_t highlightListType = defaults::kHighlightListType;
    std::int32_t listWidthType = defaults::kListWidthType;
    std::int32_t listHeightType = defaults::kListHeightType;
    float listAlphaLevel = opacityFromAlphaLevel(defaults::kListAlphaLevel);

    bool useAccountSettingsForListFilters = defaults::kUseAccountSettingsForListFilters;
    bool newLayerListFilters = defaults::kNewLayerListFilters;
    std::int32_t highlightListTypeFilters = defaults::kHighlightListTypeFilters;
    std::int32_t listWidthTypeFilters = defaults::kListWidthTypeFilters;
    std::int32_t listHeightTypeFilters = defaults::kListHeightTypeFilters;
    float listAlphaLevelFilters = opacityFromAlphaLevel(defaults::kListAlphaLevelFilters);

    std::int32_t highlightMessageType = defaults::kHighlightMessageType;
    std::int32_t messageWidthType = defaults::kMessageWidthType;
    std::int32_t messageAlignment = defaults::kMessageAlignment;
    float messageAlphaLevel = opacityFromAlphaLevel(defaults::kMessageAlphaLevel);

    bool useAccountSettingsForMessageFilters = defaults::kUseAccountSettingsForMessageFilters;
    bool newLayerMessageFilters = defaults::kNewLayerMessageFilters;
    std::int32_t highlightMessageTypeFilters = defaults::kHighlightMessageTypeFilters;
    std::int32_t messageWidthTypeFilters = defaults::kMessageWidthTypeFilters;
    std::int32_t messageAlignmentFilters = defaults::kMessageAlignmentFilters;
    float messageAlphaLevelFilters = opacityFromAlphaLevel(defaults::kMessageAlphaLevelFilters);

    // The usable records of filtersEnabled, in the order they are tried: each has a colour
    // other than the no-colour string and at least one pattern, and no empty pattern.
    std::vector<foundation::Dictionary> filters;

    // Set on every change notification; the mailbox picker clears it when it reloads.
    bool settingsChanged = false;
};

} // namespace tintbox::settings
