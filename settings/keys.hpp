// The schema of Tintbox's shared files: every key of the settings file with its default, the
// entries of a filter record, the file paths, the preference domain and the change notification.
// Both plug-ins name these only through this header; nothing here is retyped elsewhere.
#pragma once

#include "platform/foundation/value.hpp"
#include "settings/schema.hpp"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tintbox::settings {

// Files, domain and notification. Paths are device paths (resolve with foundation::devicePath);
// /var and /private/var name the same file.
inline constexpr std::string_view kPreferenceDomain = "net.quillward.tintbox";
inline constexpr std::string_view kSettingsFilePath =
    "/var/mobile/Library/Preferences/net.quillward.tintbox.plist";
inline constexpr std::string_view kSettingsFilePrivatePath =
    "/private/var/mobile/Library/Preferences/net.quillward.tintbox.plist";
inline constexpr std::string_view kAccountRegistryFilePath =
    "/private/var/mobile/Library/Preferences/net.quillward.tintboxaccounts.plist";
inline constexpr std::string_view kChangeNotificationName = "net.quillward.tintbox.preferences";

// The titles of the alerts a pane shows after a settings write: the write failed (the message is
// the one-line reason), or an unreadable file was kept aside before a new one was written.
inline constexpr std::string_view kSettingsNotSavedAlertTitle = "Settings Not Saved";
inline constexpr std::string_view kSettingsFileKeptAlertTitle = "Unreadable Settings Kept";

// The file of a preference domain, as the colour and slider cells build it from their
// "defaults" property: "/var/mobile/Library/Preferences/<domain>.plist".
std::string preferencesFilePath(std::string_view domain);

// Account registry: display name -> "YES". A key starting with this prefix names the account
// given by the rest of the key.
inline constexpr std::string_view kAccountRegistryValue = "YES";
inline constexpr std::string_view kAccountNamePrefix = "f4edcb52";

// The colour string of a filter whose colour has not been chosen (compared exactly).
inline constexpr std::string_view kNoColourHex = "#FFFFFF";

// Option keys of the settings file. Every other key of the file is an account colour.
inline constexpr std::string_view kEnabled = "enabled";
inline constexpr std::string_view kEnableUnreadAndFlagged = "enableUnreadAndFlagged";
inline constexpr std::string_view kEnableMarkAsReadAndMove = "enableMarkAsReadAndMove";
inline constexpr std::string_view kHighlightFolderList = "highlightFolderList";

inline constexpr std::string_view kHighlightMailBoxType = "highlightMailBoxType";
inline constexpr std::string_view kMailBoxWidthType = "mailBoxWidthType";
inline constexpr std::string_view kMailBoxAlphaLevel = "mailBoxAlphaLevel";

inline constexpr std::string_view kHighlightListType = "highlightListType";
inline constexpr std::string_view kListWidthType = "listWidthType";
inline constexpr std::string_view kListHeightType = "listHeightType";
inline constexpr std::string_view kListAlphaLevel = "listAlphaLevel";

inline constexpr std::string_view kUseAccountSettingsForListFilters =
    "useAccountSettingsForListFilters";
inline constexpr std::string_view kNewLayerListFilters = "newLayerListFilters";
inline constexpr std::string_view kHighlightListTypeFilters = "highlightListTypeFilters";
inline constexpr std::string_view kListWidthTypeFilters = "listWidthTypeFilters";
inline constexpr std::string_view kListHeightTypeFilters = "listHeightTypeFilters";
inline constexpr std::string_view kListAlphaLevelFilters = "listAlphaLevelFilters";

inline constexpr std::string_view kHighlightMessageType = "highlightMessageType";
inline constexpr std::string_view kMessageWidthType = "messageWidthType";
inline constexpr std::string_view kMessageAlignment = "messageAlignment";
inline constexpr std::string_view kMessageAlphaLevel = "messageAlphaLevel";

inline constexpr std::string_view kUseAccountSettingsForMessageFilters =
    "useAccountSettingsForMessageFilters";
inline constexpr std::string_view kNewLayerMessageFilters = "newLayerMessageFilters";
inline constexpr std::string_view kHighlightMessageTypeFilters = "highlightMessageTypeFilters";
inline constexpr std::string_view kMessageWidthTypeFilters = "messageWidthTypeFilters";
inline constexpr std::string_view kMessageAlignmentFilters = "messageAlignmentFilters";
inline constexpr std::string_view kMessageAlphaLevelFilters = "messageAlphaLevelFilters";

inline constexpr std::string_view kReminderIncludeEmailLink = "reminderIncludeEmailLink";
inline constexpr std::string_view kReminderSubjectLimit = "reminderSubjectLimit";
inline constexpr std::string_view kReminderBodyLimit = "reminderBodyLimit";
inline constexpr std::string_view kReminderPrefix = "reminderPrefix";

inline constexpr std::string_view kFiltersEnabled = "filtersEnabled";
inline constexpr std::string_view kFiltersDisabled = "filtersDisabled";

inline constexpr std::string_view kPreferColorPicker = "preferColorPicker";
inline constexpr std::string_view kColorPickerType = "colorPickerType";

inline constexpr std::array kOptionKeys{
    kEnabled,
    kEnableUnreadAndFlagged,
    kEnableMarkAsReadAndMove,
    kHighlightFolderList,
    kHighlightMailBoxType,
    kMailBoxWidthType,
    kMailBoxAlphaLevel,
    kHighlightListType,
    kListWidthType,
    kListHeightType,
    kListAlphaLevel,
    kUseAccountSettingsForListFilters,
    kNewLayerListFilters,
    kHighlightListTypeFilters,
    kListWidthTypeFilters,
    kListHeightTypeFilters,
    kListAlphaLevelFilters,
    kHighlightMessageType,
    kMessageWidthType,
    kMessageAlignment,
    kMessageAlphaLevel,
    kUseAccountSettingsForMessageFilters,
    kNewLayerMessageFilters,
    kHighlightMessageTypeFilters,
    kMessageWidthTypeFilters,
    kMessageAlignmentFilters,
    kMessageAlphaLevelFilters,
    kReminderIncludeEmailLink,
    kReminderSubjectLimit,
    kReminderBodyLimit,
    kReminderPrefix,
    kFiltersEnabled,
    kFiltersDisabled,
    kPreferColorPicker,
    kColorPickerType,
};

// True for the option keys above; any other key of the settings file is an account colour.
bool isOptionKey(std::string_view key);

// Defaults of the option keys: what the mail extension uses when a key is absent at its first
// load, and for the pane-only keys what the pane uses. Alpha levels are whole percentages.
namespace defaults {
inline constexpr bool kEnabled = false;
inline constexpr bool kEnableUnreadAndFlagged = false;
inline constexpr bool kEnableMarkAsReadAndMove = false;
inline constexpr bool kHighlightFolderList = false;

inline constexpr std::int32_t kHighlightMailBoxType = 1;
inline constexpr std::int32_t kMailBoxWidthType = 14;
inline constexpr std::int32_t kMailBoxAlphaLevel = 25;

inline constexpr std::int32_t kHighlightListType = 1;
inline constexpr std::int32_t kListWidthType = 6;
inline constexpr std::int32_t kListHeightType = 2;
inline constexpr std::int32_t kListAlphaLevel = 25;

inline constexpr bool kUseAccountSettingsForListFilters = false;
inline constexpr bool kNewLayerListFilters = true;
inline constexpr std::int32_t kHighlightListTypeFilters = 2;
inline constexpr std::int32_t kListWidthTypeFilters = 6;
inline constexpr std::int32_t kListHeightTypeFilters = 2;
inline constexpr std::int32_t kListAlphaLevelFilters = 100;

inline constexpr std::int32_t kHighlightMessageType = 4;
inline constexpr std::int32_t kMessageWidthType = 4096; // wider than any screen: full width
inline constexpr std::int32_t kMessageAlignment = 1;
inline constexpr std::int32_t kMessageAlphaLevel = 25;

inline constexpr bool kUseAccountSettingsForMessageFilters = false;
inline constexpr bool kNewLayerMessageFilters = true;
inline constexpr std::int32_t kHighlightMessageTypeFilters = 4;
inline constexpr std::int32_t kMessageWidthTypeFilters = 12;
inline constexpr std::int32_t kMessageAlignmentFilters = 2;
inline constexpr std::int32_t kMessageAlphaLevelFilters = 100;

inline constexpr bool kReminderIncludeEmailLink = true;
inline constexpr std::int32_t kReminderSubjectLimit = 100;
inline constexpr std::int32_t kReminderBodyLimit = 500;
// reminderPrefix has no default: absent means no prefix.

inline constexpr bool kPreferColorPicker = true;
inline constexpr std::int32_t kColorPickerType = 0;
} // namespace defaults

// The defaults above as one table, key -> default value, for every option key that has one
// (all but reminderPrefix; the two filter lists default to empty arrays).
const foundation::Dictionary& defaultValues();

// The default of one key; nullptr for reminderPrefix and for account keys.
const foundation::Value* defaultValue(std::string_view key);

} // namespace tintbox::settings
