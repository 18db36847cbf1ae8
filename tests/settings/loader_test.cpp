#include "settings/keys.hpp"
#include "settings/loader.hpp"
#include "settings_fixture.hpp"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace tintbox::settings {
namespace {

using foundation::Array;
using foundation::Dictionary;
using foundation::Value;
using testing::SettingsFileTest;

Dictionary fileWith(std::string_view key, Value value) {
    Dictionary file;
    file.emplace(std::string(key), std::move(value));
    return file;
}

// Every field at the value it has before the first load.
void expectInitialFields(const SettingsSnapshot& s) {
    EXPECT_FALSE(s.enabled);
    EXPECT_FALSE(s.enableUnreadAndFlagged);
    EXPECT_FALSE(s.enableMarkAsReadAndMove);
    EXPECT_FALSE(s.highlightFolderList);
    EXPECT_FALSE(s.useAccountSettingsForListFilters);
    EXPECT_FALSE(s.useAccountSettingsForMessageFilters);
    EXPECT_TRUE(s.reminderIncludeEmailLink);
    EXPECT_TRUE(s.newLayerListFilters);
    EXPECT_TRUE(s.newLayerMessageFilters);
    EXPECT_EQ(s.reminderSubjectLimit, 100);
    EXPECT_EQ(s.reminderBodyLimit, 500);
    EXPECT_EQ(s.highlightMailBoxType, 1);
    EXPECT_EQ(s.mailBoxWidthType, 14);
    EXPECT_EQ(s.mailBoxAlphaLevel, 0.25f);
    EXPECT_EQ(s.highlightListType, 1);
    EXPECT_EQ(s.listWidthType, 6);
    EXPECT_EQ(s.listHeightType, 2);
    EXPECT_EQ(s.listAlphaLevel, 0.25f);
    EXPECT_EQ(s.highlightListTypeFilters, 2);
    EXPECT_EQ(s.listWidthTypeFilters, 6);
    EXPECT_EQ(s.listHeightTypeFilters, 2);
    EXPECT_EQ(s.listAlphaLevelFilters, 1.0f);
    EXPECT_EQ(s.highlightMessageType, 4);
    EXPECT_EQ(s.messageWidthType, 4096);
    EXPECT_EQ(s.messageAlignment, 1);
    EXPECT_EQ(s.messageAlphaLevel, 0.25f);
    EXPECT_EQ(s.highlightMessageTypeFilters, 4);
    EXPECT_EQ(s.messageWidthTypeFilters, 12);
    EXPECT_EQ(s.messageAlignmentFilters, 2);
    EXPECT_EQ(s.messageAlphaLevelFilters, 1.0f);
    EXPECT_TRUE(s.filters.empty());
}

TEST(SettingsSnapshotTest, StartsAtTheDefaults) {
    const SettingsSnapshot snapshot;
    expectInitialFields(snapshot);
    EXPECT_FALSE(snapshot.settings.has_value());
    EXPECT_FALSE(snapshot.settingsChanged);
}

TEST_F(SettingsFileTest, NoFileAtStartLeavesHighlightingOffAndEverythingAtDefaults) {
    loadSettings(snapshot, settingsFile);
    expectInitialFields(snapshot);
    EXPECT_FALSE(snapshot.settings.has_value());
    EXPECT_FALSE(snapshot.settingsChanged);
}

TEST_F(SettingsFileTest, EmptyFileKeepsHighlightingOff) {
    writeSettings(Dictionary{});
    loadSettings(snapshot, settingsFile);
    expectInitialFields(snapshot);
    ASSERT_TRUE(snapshot.settings.has_value());
    EXPECT_TRUE(snapshot.settings->empty());
}

TEST_F(SettingsFileTest, UnreadableFileSwitchesOffAndKeepsEverythingElse) {
    Dictionary file{{"enabled", true},
                    {"listWidthType", 10},
                    {"listWidthTypeFilters", 9},
                    {"filtersEnabled", Array{Dictionary{{"from", "a"}, {"hexColor", "#FF0000"}}}}};
    const std::function<void()> spoilers[] = {
        [&] { std::filesystem::remove(settingsFile); },
        [&] { std::ofstream(settingsFile) << "not a property list {"; },
        [&] { writeSettings(Array{Value("enabled")}); },
        [&] {
            std::filesystem::remove(settingsFile);
            std::filesystem::create_directory(settingsFile);
        },
    };
    for (std::size_t i = 0; i < std::size(spoilers); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        std::filesystem::remove_all(settingsFile);
        writeSettings(file);
        loadSettings(snapshot, settingsFile);
        ASSERT_TRUE(snapshot.enabled);

        spoilers[i]();
        loadSettings(snapshot, settingsFile);
        EXPECT_FALSE(snapshot.enabled);
        EXPECT_FALSE(snapshot.settings.has_value());
        EXPECT_EQ(snapshot.listWidthType, 10);
        EXPECT_EQ(snapshot.listWidthTypeFilters, 9);
        EXPECT_EQ(snapshot.filters.size(), 1u);
    }
}

TEST_F(SettingsFileTest, SettingsDictionaryHoldsTheWholeFile) {
    const Dictionary file{{"enabled", true}, {"Home", "#00FF00"}, {"reminderPrefix", "To do: "}};
    writeSettings(file);
    loadSettings(snapshot, settingsFile);
    ASSERT_TRUE(snapshot.settings.has_value());
    EXPECT_EQ(*snapshot.settings, file);
}

// Loads a file holding only `key`, then a file without it. Plain keys keep the loaded value;
// the band keys of the filter areas return to their defaults.
struct KeyRemovalCase {
    std::string_view key;
    Value stored;
    std::function<double(const SettingsSnapshot&)> field;
    double loaded;
    double afterRemoval;
};

#define FIELD(name) [](const SettingsSnapshot& s) { return static_cast<double>(s.name); }

TEST_F(SettingsFileTest, RemovedKeysKeepTheirValueButFilterBandKeysReturnToDefaults) {
    const KeyRemovalCase cases[] = {
        {kEnabled, true, FIELD(enabled), 1, 1},
        {kEnableUnreadAndFlagged, true, FIELD(enableUnreadAndFlagged), 1, 1},
        {kEnableMarkAsReadAndMove, true, FIELD(enableMarkAsReadAndMove), 1, 1},
        {kReminderIncludeEmailLink, false, FIELD(reminderIncludeEmailLink), 0, 0},
        {kReminderSubjectLimit, 30, FIELD(reminderSubjectLimit), 30, 30},
        {kReminderBodyLimit, 0, FIELD(reminderBodyLimit), 0, 0},
        {kHighlightFolderList, true, FIELD(highlightFolderList), 1, 1},
        {kHighlightMailBoxType, 2, FIELD(highlightMailBoxType), 2, 2},
        {kMailBoxWidthType, 20, FIELD(mailBoxWidthType), 20, 20},
        {kMailBoxAlphaLevel, 55, FIELD(mailBoxAlphaLevel), 0.55f, 0.55f},
        {kHighlightListType, 0, FIELD(highlightListType), 0, 0},
        {kListWidthType, 10, FIELD(listWidthType), 10, 10},
        {kListHeightType, 3, FIELD(listHeightType), 3, 3},
        {kListAlphaLevel, 40, FIELD(listAlphaLevel), 0.4f, 0.4f},
        {kHighlightMessageType, 1, FIELD(highlightMessageType), 1, 1},
        {kMessageWidthType, 300, FIELD(messageWidthType), 300, 300},
        {kMessageAlignment, 2, FIELD(messageAlignment), 2, 2},
        {kMessageAlphaLevel, 70, FIELD(messageAlphaLevel), 0.7f, 0.7f},
        {kUseAccountSettingsForListFilters, true, FIELD(useAccountSettingsForListFilters), 1, 1},
        {kNewLayerListFilters, false, FIELD(newLayerListFilters), 0, 0},
        {kUseAccountSettingsForMessageFilters, true, FIELD(useAccountSettingsForMessageFilters), 1,
         1},
        {kNewLayerMessageFilters, false, FIELD(newLayerMessageFilters), 0, 0},
        {kHighlightListTypeFilters, 1, FIELD(highlightListTypeFilters), 1, 2},
        {kListWidthTypeFilters, 10, FIELD(listWidthTypeFilters), 10, 6},
        {kListHeightTypeFilters, 5, FIELD(listHeightTypeFilters), 5, 2},
        {kListAlphaLevelFilters, 30, FIELD(listAlphaLevelFilters), 0.3f, 1.0f},
        {kHighlightMessageTypeFilters, 0, FIELD(highlightMessageTypeFilters), 0, 4},
        {kMessageWidthTypeFilters, 50, FIELD(messageWidthTypeFilters), 50, 12},
        {kMessageAlignmentFilters, 1, FIELD(messageAlignmentFilters), 1, 2},
        {kMessageAlphaLevelFilters, 45, FIELD(messageAlphaLevelFilters), 0.45f, 1.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key));
        SettingsSnapshot fresh;
        writeSettings(fileWith(c.key, c.stored));
        loadSettings(fresh, settingsFile);
        EXPECT_EQ(c.field(fresh), c.loaded);

        writeSettings(Dictionary{{"Home", "#123456"}});
        loadSettings(fresh, settingsFile);
        EXPECT_EQ(c.field(fresh), c.afterRemoval);
    }
}

TEST_F(SettingsFileTest, WrongTypedValuesReadAsThePlatformReadsThem) {
    const struct {
        std::string_view key;
        Value stored;
        std::function<double(const SettingsSnapshot&)> field;
        double expected;
    } cases[] = {
        {kEnabled, "YES", FIELD(enabled), 1},
        {kEnabled, "no", FIELD(enabled), 0},
        {kEnabled, "  +007", FIELD(enabled), 1},
        {kEnabled, 0.5, FIELD(enabled), 1},
        {kEnabled, 1, FIELD(enabled), 1},
        {kNewLayerListFilters, "NO", FIELD(newLayerListFilters), 0},
        {kNewLayerListFilters, Array{}, FIELD(newLayerListFilters), 0},
        {kReminderSubjectLimit, "12abc", FIELD(reminderSubjectLimit), 12},
        {kReminderSubjectLimit, "abc", FIELD(reminderSubjectLimit), 0},
        {kReminderSubjectLimit, true, FIELD(reminderSubjectLimit), 1},
        {kListWidthType, 2.9, FIELD(listWidthType), 2},
        {kMailBoxWidthType, -3.7, FIELD(mailBoxWidthType), -3},
        {kListAlphaLevel, "40", FIELD(listAlphaLevel), 0.4f},
        {kListAlphaLevel, 40.9, FIELD(listAlphaLevel), 0.4f},
        {kListAlphaLevelFilters, "x", FIELD(listAlphaLevelFilters), 0},
        {kMessageAlignmentFilters, Dictionary{}, FIELD(messageAlignmentFilters), 0},
        {kMessageAlphaLevel, 100, FIELD(messageAlphaLevel), 1.0f},
        {kMessageAlphaLevel, 0, FIELD(messageAlphaLevel), 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key));
        SettingsSnapshot fresh;
        writeSettings(fileWith(c.key, c.stored));
        loadSettings(fresh, settingsFile);
        EXPECT_EQ(c.field(fresh), c.expected);
    }
}

#undef FIELD

TEST_F(SettingsFileTest, ListFilterBandCanFollowTheAccountBand) {
    writeSettings(Dictionary{{"useAccountSettingsForListFilters", true},
                             {"highlightListType", 2},
                             {"listWidthType", 8},
                             {"listHeightType", 3},
                             {"listAlphaLevel", 40},
                             {"highlightListTypeFilters", 1},
                             {"listWidthTypeFilters", 20},
                             {"listHeightTypeFilters", 1},
                             {"listAlphaLevelFilters", 80}});
    loadSettings(snapshot, settingsFile);
    EXPECT_EQ(snapshot.highlightListTypeFilters, 2);
    EXPECT_EQ(snapshot.listWidthTypeFilters, 8);
    EXPECT_EQ(snapshot.listHeightTypeFilters, 3);
    EXPECT_EQ(snapshot.listAlphaLevelFilters, 0.4f);
    // The message area keeps its own filter band.
    EXPECT_EQ(snapshot.highlightMessageTypeFilters, 4);
}

TEST_F(SettingsFileTest, MessageFilterBandCanFollowTheAccountBand) {
    writeSettings(Dictionary{{"useAccountSettingsForMessageFilters", true},
                             {"highlightMessageType", 3},
                             {"messageWidthType", 200},
                             {"messageAlignment", 2},
                             {"messageAlphaLevel", 60},
                             {"highlightMessageTypeFilters", 1},
                             {"messageAlphaLevelFilters", 90}});
    loadSettings(snapshot, settingsFile);
    EXPECT_EQ(snapshot.highlightMessageTypeFilters, 3);
    EXPECT_EQ(snapshot.messageWidthTypeFilters, 200);
    EXPECT_EQ(snapshot.messageAlignmentFilters, 2);
    EXPECT_EQ(snapshot.messageAlphaLevelFilters, 0.6f);
    EXPECT_EQ(snapshot.listAlphaLevelFilters, 1.0f);
}

TEST_F(SettingsFileTest, AccountValuesCarriedFromAnEarlierLoadAreCopied) {
    writeSettings(Dictionary{{"useAccountSettingsForListFilters", true}, {"listWidthType", 9}});
    loadSettings(snapshot, settingsFile);
    writeSettings(Dictionary{{"listWidthTypeFilters", 30}});
    loadSettings(snapshot, settingsFile);
    EXPECT_EQ(snapshot.listWidthTypeFilters, 9);
}

TEST_F(SettingsFileTest, FilterListKeepsOnlyUsableRecordsWithoutEmptyPatterns) {
    const Dictionary white{{"from", "boss"}, {"hexColor", "#FFFFFF"}};
    const Dictionary noPattern{
        {"from", ""}, {"to", ""}, {"cc", ""}, {"subject", ""}, {"hexColor", "#FF0000"}};
    const Dictionary usable{{"from", "boss@example\\.com"},
                            {"to", ""},
                            {"fromMatchType", 1},
                            {"toMatchType", 0},
                            {"hexColor", "#00FF00"}};
    writeSettings(Dictionary{{"filtersEnabled", Array{white, noPattern, usable}}});
    loadSettings(snapshot, settingsFile);

    const Dictionary expected{{"from", "boss@example\\.com"},
                              {"fromMatchType", 1},
                              {"toMatchType", 0},
                              {"hexColor", "#00FF00"}};
    ASSERT_EQ(snapshot.filters.size(), 1u);
    EXPECT_EQ(snapshot.filters[0], expected);
    // The file itself is never changed.
    EXPECT_EQ(foundation::find(*snapshot.settings, "filtersEnabled")->asArray()->size(), 3u);
}

TEST_F(SettingsFileTest, FilterListIsRebuiltOnEveryLoad) {
    const Dictionary record{{"subject", "invoice"}, {"hexColor", "#0000FF"}};
    writeSettings(Dictionary{{"filtersEnabled", Array{record, record}}});
    loadSettings(snapshot, settingsFile);
    ASSERT_EQ(snapshot.filters.size(), 2u);

    writeSettings(Dictionary{{"filtersDisabled", Array{record}}});
    loadSettings(snapshot, settingsFile);
    EXPECT_TRUE(snapshot.filters.empty());
}

TEST(CleanFilterList, SkipsUnusableRecordsAndKeepsOrder) {
    const auto rec = [](std::initializer_list<Dictionary::value_type> entries) {
        return Value(Dictionary(entries));
    };
    const struct {
        const char* name;
        Value filtersEnabled;
        std::vector<Dictionary> expected;
    } cases[] = {
        {"a record with an entry string is never used",
         Array{rec({{"from", "a"}, {"hexColor", "#FF0000"}, {"string", ""}})},
         {}},
        {"no colour", Array{rec({{"from", "a"}})}, {}},
        {"no colour chosen", Array{rec({{"from", "a"}, {"hexColor", "#FFFFFF"}})}, {}},
        {"white in lower case is a colour",
         Array{rec({{"from", "a"}, {"hexColor", "#ffffff"}})},
         {Dictionary{{"from", "a"}, {"hexColor", "#ffffff"}}}},
        {"a colour that is not a string", Array{rec({{"from", "a"}, {"hexColor", 0xFF0000}})}, {}},
        {"no pattern at all", Array{rec({{"hexColor", "#FF0000"}, {"fromMatchType", 1}})}, {}},
        {"empty patterns are removed, the others kept",
         Array{rec({{"cc", ""}, {"subject", "x"}, {"to", ""}, {"hexColor", "#0A0B0C"}})},
         {Dictionary{{"subject", "x"}, {"hexColor", "#0A0B0C"}}}},
        {"a pattern that is not a string takes no part",
         Array{rec({{"from", 5}, {"cc", "y"}, {"hexColor", "#FF0000"}}),
               rec({{"to", Array{}}, {"hexColor", "#FF0000"}})},
         {Dictionary{{"cc", "y"}, {"hexColor", "#FF0000"}}}},
        {"entries that are not dictionaries are left out",
         Array{Value("from"), Value(3), rec({{"to", "z"}, {"hexColor", "#123456"}}), Value()},
         {Dictionary{{"to", "z"}, {"hexColor", "#123456"}}}},
        {"order is kept",
         Array{rec({{"to", "2"}, {"hexColor", "#000002"}}),
               rec({{"to", "1"}, {"hexColor", "#000001"}})},
         {Dictionary{{"to", "2"}, {"hexColor", "#000002"}},
          Dictionary{{"to", "1"}, {"hexColor", "#000001"}}}},
        {"a list that is not an array", Value("filters"), {}},
        {"a dictionary instead of a list", rec({{"from", "a"}, {"hexColor", "#FF0000"}}), {}},
        {"an empty list", Array{}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cleanFilterList(&c.filtersEnabled), c.expected) << c.name;
    EXPECT_TRUE(cleanFilterList(nullptr).empty());
}

TEST_F(SettingsFileTest, NotificationFlagsTheChangeAndReloads) {
    writeSettings(Dictionary{{"enabled", true}, {"listWidthType", 10}});
    loadSettings(snapshot, settingsFile);
    EXPECT_FALSE(snapshot.settingsChanged);

    writeSettings(Dictionary{{"enabled", true}, {"listWidthType", 12}});
    settingsDidChange(snapshot, settingsFile);
    EXPECT_TRUE(snapshot.settingsChanged);
    EXPECT_EQ(snapshot.listWidthType, 12);

    snapshot.settingsChanged = false; // the mailbox picker clears it when it reloads
    settingsDidChange(snapshot, settingsFile);
    EXPECT_TRUE(snapshot.settingsChanged);
}

TEST_F(SettingsFileTest, HighlightingStopsWhileTheFileIsGoneAndResumesWithItsNewValues) {
    const Dictionary record{{"from", "a"}, {"hexColor", "#FF0000"}};
    writeSettings(Dictionary{{"enabled", true}, {"listWidthType", 10}});
    loadSettings(snapshot, settingsFile);

    std::filesystem::remove(settingsFile);
    settingsDidChange(snapshot, settingsFile);
    EXPECT_FALSE(snapshot.enabled);
    EXPECT_FALSE(snapshot.settings.has_value());
    EXPECT_EQ(snapshot.listWidthType, 10);

    writeSettings(
        Dictionary{{"enabled", true}, {"listWidthType", 20}, {"filtersEnabled", Array{record}}});
    settingsDidChange(snapshot, settingsFile);
    EXPECT_TRUE(snapshot.enabled);
    EXPECT_TRUE(snapshot.settings.has_value());
    EXPECT_EQ(snapshot.listWidthType, 20);
    ASSERT_EQ(snapshot.filters.size(), 1u);
    EXPECT_EQ(snapshot.filters[0], record);
}

TEST_F(SettingsFileTest, SettingsFilePathIsTheDeviceFileUnderTheRoot) {
    const char* previous = std::getenv("TINTBOX_ROOT");
    const std::string saved = previous ? previous : "";
    setenv("TINTBOX_ROOT", folder.path().c_str(), 1);
    const auto path = settingsFilePath();
    if (previous)
        setenv("TINTBOX_ROOT", saved.c_str(), 1);
    else
        unsetenv("TINTBOX_ROOT");
    EXPECT_EQ(path,
              folder.path() / "private/var/mobile/Library/Preferences/net.quillward.tintbox.plist");
}

} // namespace
} // namespace tintbox::settings
