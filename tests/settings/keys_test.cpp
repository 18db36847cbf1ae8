#include "platform/foundation/device_path.hpp"
#include "settings/keys.hpp"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace tintbox::settings {
namespace {

TEST(SettingsKeys, OptionKeysAreDistinctAndRecognised) {
    const std::set<std::string_view> distinct(kOptionKeys.begin(), kOptionKeys.end());
    EXPECT_EQ(distinct.size(), kOptionKeys.size());
    for (const auto key : kOptionKeys)
        EXPECT_TRUE(isOptionKey(key)) << key;
}

TEST(SettingsKeys, EveryOtherKeyIsAnAccountColour) {
    for (const std::string_view key : {"Home", "Work", "", "Enabled", "enabled ", "filtersenabled",
                                       "f4edcb52Home", "string", "hexColor", "listWidthTypeFilter"})
        EXPECT_FALSE(isOptionKey(key)) << key;
}

TEST(SettingsKeys, EveryOptionKeyButReminderPrefixHasADefault) {
    for (const auto key : kOptionKeys) {
        if (key == kReminderPrefix)
            EXPECT_EQ(defaultValue(key), nullptr);
        else
            EXPECT_NE(defaultValue(key), nullptr) << key;
    }
    EXPECT_EQ(defaultValues().size(), kOptionKeys.size() - 1);
    EXPECT_EQ(defaultValue("Home"), nullptr);
}

TEST(SettingsKeys, DefaultValuesHaveTheFileTypes) {
    using foundation::Value;
    const struct {
        std::string_view key;
        Value expected;
    } cases[] = {
        {kEnabled, Value(false)},
        {kEnableUnreadAndFlagged, Value(false)},
        {kEnableMarkAsReadAndMove, Value(false)},
        {kHighlightFolderList, Value(false)},
        {kHighlightMailBoxType, Value(1)},
        {kMailBoxWidthType, Value(14)},
        {kMailBoxAlphaLevel, Value(25)},
        {kHighlightListType, Value(1)},
        {kListWidthType, Value(6)},
        {kListHeightType, Value(2)},
        {kListAlphaLevel, Value(25)},
        {kUseAccountSettingsForListFilters, Value(false)},
        {kNewLayerListFilters, Value(true)},
        {kHighlightListTypeFilters, Value(2)},
        {kListWidthTypeFilters, Value(6)},
        {kListHeightTypeFilters, Value(2)},
        {kListAlphaLevelFilters, Value(100)},
        {kHighlightMessageType, Value(4)},
        {kMessageWidthType, Value(4096)},
        {kMessageAlignment, Value(1)},
        {kMessageAlphaLevel, Value(25)},
        {kUseAccountSettingsForMessageFilters, Value(false)},
        {kNewLayerMessageFilters, Value(true)},
        {kHighlightMessageTypeFilters, Value(4)},
        {kMessageWidthTypeFilters, Value(12)},
        {kMessageAlignmentFilters, Value(2)},
        {kMessageAlphaLevelFilters, Value(100)},
        {kReminderIncludeEmailLink, Value(true)},
        {kReminderSubjectLimit, Value(100)},
        {kReminderBodyLimit, Value(500)},
        {kFiltersEnabled, Value(foundation::Array{})},
        {kFiltersDisabled, Value(foundation::Array{})},
        {kPreferColorPicker, Value(true)},
        {kColorPickerType, Value(0)},
    };
    for (const auto& c : cases) {
        const foundation::Value* actual = defaultValue(c.key);
        ASSERT_NE(actual, nullptr) << c.key;
        EXPECT_EQ(*actual, c.expected) << c.key;
    }
}

TEST(SettingsKeys, BothSpellingsOfTheSettingsFileNameOneFile) {
    EXPECT_EQ(preferencesFilePath(kPreferenceDomain), kSettingsFilePath);
    EXPECT_EQ("/private" + std::string(kSettingsFilePath), kSettingsFilePrivatePath);
    EXPECT_EQ(foundation::devicePath(kSettingsFilePath),
              foundation::devicePath(kSettingsFilePrivatePath));
}

} // namespace
} // namespace tintbox::settings
