#include "pane/filters/TBFilterController.hpp"
#include "pane/filters/TBFilterSelectorController.hpp"
#include "tests/pane/filter_fixture.hpp"

#include <gmock/gmock.h>

namespace {

using namespace tintbox;
using foundation::Value;
using sim::settings::PaneRow;
using sim::settings::SettingsApp;
using Names = std::vector<std::string>;

class FilterListTest : public tintbox::testing::FilterPaneFixture {
protected:
    // Four enabled filters a to d, two disabled x and y, and an account colour.
    void writeSample() const {
        writeSettings({{"filtersEnabled", listOf({"a", "b", "c", "d"})},
                       {"filtersDisabled", listOf({"x", "y"})},
                       {"Work", Value("#FF0000")}});
    }
    static PaneRow rowAt(const SettingsApp& app, NSInteger section, NSInteger row) {
        for (const PaneRow& shown : app.rows())
            if (shown.section == section && shown.row == row)
                return shown;
        ADD_FAILURE() << "no row " << section << "," << row;
        return {};
    }
};

TEST_F(FilterListTest, WithoutASettingsFileOnlyTheAddRowIsShown) {
    SettingsApp app = launchFilterList();
    ASSERT_STREQ(object_getClassName(app.topPane()), "TBFilterController");
    const auto json = app.json();
    EXPECT_EQ(json["title"], "Filters");
    EXPECT_EQ(json["sections"],
              nlohmann::ordered_json::parse(R"(["ENABLED", "DISABLED", "DRAG BELOW, TO DELETE"])"));
    EXPECT_EQ(shownRows(app), Names{"1:Tap, to add new filter"});
    const PaneRow add = rowAt(app, 1, 0);
    EXPECT_EQ(add.textColour, "#FF0000FF");
    EXPECT_EQ(add.background, "#FFFFFFFF");
    EXPECT_FALSE(std::filesystem::exists(settingsFile())) << "showing writes nothing";

    UITableView* table = app.topTable();
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(table->isEditing());
    EXPECT_FALSE(app.cellAt({1, 0})->showsReorderControl()) << "the add row stays in place";
}

TEST_F(FilterListTest, TheAddRowAppendsANewFilterToTheEnabledListEachTime) {
    writeSettings({{"filtersEnabled", listOf({"a"})}, {"Work", Value("#FF0000")}});
    SettingsApp app = launchFilterList();
    app.tapRow({1, 0});
    EXPECT_TRUE(notificationPosted());
    forgetNotifications();
    app.tapRow({1, 0});
    EXPECT_TRUE(notificationPosted()) << "each tap writes";

    EXPECT_EQ(storedNames("filtersEnabled"), (Names{"a", "", ""}));
    const foundation::Dictionary stored = readSettings();
    EXPECT_EQ(stored.at("filtersEnabled").asArray()->back(), filter({}));
    EXPECT_EQ(stored.at("Work"), Value("#FF0000"));
    EXPECT_EQ(shownRows(app), (Names{"0:a", "0:", "0:", "1:Tap, to add new filter"}));
    for (NSInteger row : {1, 2}) {
        EXPECT_EQ(rowAt(app, 0, row).background, "#FFFFFFFF");
        EXPECT_EQ(rowAt(app, 0, row).textColour, "#000000FF");
    }
    EXPECT_EQ(app.topTable()->indexPathForSelectedRow(), nullptr);
    EXPECT_STREQ(object_getClassName(app.topPane()), "TBFilterController") << "no editor";
    EXPECT_THAT(settingsThroughPlistlib(),
                ::testing::HasSubstr("\"filtersEnabled\": [{\"cc\": \"\", \"ccMatchType\": 0, "
                                     "\"from\": \"a\""));
}

TEST_F(FilterListTest, DraggedFiltersMoveBetweenTheListsAndAreDeletedBelow) {
    struct Case {
        const char* name;
        sim::settings::RowAddress from;
        sim::settings::RowAddress to;
        Names enabled;
        Names disabled;
    };
    const Case cases[] = {
        {"enabled 2 to the top", {0, 2}, {0, 0}, {"c", "a", "b", "d"}, {"x", "y"}},
        {"enabled 0 above the add row", {0, 0}, {1, 0}, {"b", "c", "d"}, {"a", "x", "y"}},
        {"enabled 0 to disabled row 3", {0, 0}, {1, 3}, {"b", "c", "d"}, {"x", "y", "a"}},
        {"disabled 1 to enabled 4", {1, 1}, {0, 4}, {"a", "b", "c", "d", "x"}, {"y"}},
        {"enabled into delete", {0, 1}, {2, 0}, {"a", "c", "d"}, {"x", "y"}},
        {"disabled into delete", {1, 2}, {2, 0}, {"a", "b", "c", "d"}, {"x"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeSample();
        forgetNotifications();
        SettingsApp app = launchFilterList();
        app.moveRow(c.from, c.to);
        EXPECT_EQ(storedNames("filtersEnabled"), c.enabled);
        EXPECT_EQ(storedNames("filtersDisabled"), c.disabled);
        EXPECT_EQ(readSettings().at("Work"), Value("#FF0000"));
        EXPECT_TRUE(notificationPosted());
        Names shown;
        for (const std::string& name : c.enabled)
            shown.push_back("0:" + name);
        shown.push_back("1:Tap, to add new filter");
        for (const std::string& name : c.disabled)
            shown.push_back("1:" + name);
        EXPECT_EQ(shownRows(app), shown);
    }
}

TEST_F(FilterListTest, TheDisabledListCannotBeReordered) {
    writeSample();
    const foundation::Dictionary before = readSettings();
    forgetNotifications();
    SettingsApp app = launchFilterList();
    app.moveRow({1, 2}, {1, 1});
    EXPECT_EQ(readSettings(), before);
    EXPECT_FALSE(notificationPosted());
    EXPECT_EQ(shownRows(app),
              (Names{"0:a", "0:b", "0:c", "0:d", "1:Tap, to add new filter", "1:x", "1:y"}))
        << "the old order is drawn again";
}

TEST_F(FilterListTest, BothListsAreWrittenWhenAMoveFindsOneMissing) {
    writeSettings({{"filtersEnabled", listOf({"a", "b"})}});
    SettingsApp app = launchFilterList();
    app.moveRow({0, 0}, {0, 1});
    const foundation::Dictionary stored = readSettings();
    EXPECT_EQ(storedNames("filtersEnabled"), (Names{"b", "a"}));
    EXPECT_EQ(stored.at("filtersDisabled"), Value(foundation::Array{}));
}

TEST_F(FilterListTest, ADeleteCommittedOnARowRemovesItsFilter) {
    writeSample();
    SettingsApp app = launchFilterList();
    UITableView* table = app.topTable();
    EXPECT_TRUE(table->simulateCommitEditingStyle(UITableViewCellEditingStyleDelete,
                                                  NSIndexPath::indexPathForRow(1, 1).get()));
    EXPECT_EQ(storedNames("filtersDisabled"), Names{"y"});
    forgetNotifications();
    table->simulateCommitEditingStyle(UITableViewCellEditingStyleDelete,
                                      NSIndexPath::indexPathForRow(0, 1).get());
    table->simulateCommitEditingStyle(UITableViewCellEditingStyleInsert,
                                      NSIndexPath::indexPathForRow(0, 0).get());
    EXPECT_FALSE(notificationPosted()) << "the add row and other styles change nothing";
    EXPECT_EQ(storedNames("filtersEnabled"), (Names{"a", "b", "c", "d"}));
}

TEST_F(FilterListTest, EnabledRowsShowTheirBandColourAndDisabledRowsStayWhite) {
    struct Case {
        const char* name;
        foundation::Dictionary options;
        Value enabled;
        const char* background;
        const char* text;
    };
    const Case cases[] = {
        {"red at the default opacity",
         {},
         filter({{"to", Value("Ann")}, {"hexColor", Value("#FF0000")}}),
         "#FF0000FF",
         "#FFFFFFFF"},
        {"no colour chosen", {}, filter({{"from", Value("a")}}), "#FFFFFFFF", "#000000FF"},
        {"account options without a level",
         {{"useAccountSettingsForListFilters", Value(true)}},
         filter({{"from", Value("a")}, {"hexColor", Value("#FF0000")}}),
         "#FFBFBFFF",
         "#000000FF"},
        {"no hexColor at all",
         {},
         Value(foundation::Dictionary{{"from", Value("a")}}),
         "#FFFFFFFF",
         "#000000FF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        foundation::Dictionary settings = c.options;
        settings["filtersEnabled"] = Value(foundation::Array{c.enabled});
        settings["filtersDisabled"] = Value(
            foundation::Array{filter({{"subject", Value("s")}, {"hexColor", Value("#0000FF")}})});
        writeSettings(settings);
        SettingsApp app = launchFilterList();
        const PaneRow enabled = rowAt(app, 0, 0);
        EXPECT_EQ(enabled.background, c.background);
        EXPECT_EQ(enabled.textColour, c.text);
        const PaneRow disabled = rowAt(app, 1, 1);
        EXPECT_EQ(disabled.title, "s");
        EXPECT_EQ(disabled.background, "#FFFFFFFF");
        EXPECT_EQ(disabled.textColour, "#000000FF");
    }
}

TEST_F(FilterListTest, AnEnabledFilterOpensItsEditorAndADisabledOneOnlyClearsTheSelection) {
    writeSample();
    SettingsApp app = launchFilterList();
    PSViewController* list = app.topPane();
    app.tapRow({1, 2});
    EXPECT_EQ(app.topPane(), list);
    EXPECT_EQ(app.topTable()->indexPathForSelectedRow(), nullptr);

    app.tapRow({0, 2});
    auto* editor = dynamic_cast<pane::TBFilterSelectorController*>(app.topPane());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->row(), 2);
    EXPECT_EQ(editor->parentController(), list);
    EXPECT_EQ(editor->rootController(), list->rootController());
    EXPECT_TRUE(app.goBack());
    EXPECT_EQ(app.topPane(), list);
    EXPECT_EQ(app.topTable()->indexPathForSelectedRow(), nullptr);
}

TEST_F(FilterListTest, TheListIsReadAgainAQuarterSecondAfterItAppears) {
    writeSample();
    SettingsApp app = launchFilterList();
    app.tapRow({0, 0});
    app.typeText(app.findRow("From"), "alpha");
    ASSERT_TRUE(app.goBack());
    EXPECT_EQ(rowAt(app, 0, 0).title, "a") << "not yet";
    advance(0.2);
    EXPECT_EQ(rowAt(app, 0, 0).title, "a");
    advance(0.1);
    EXPECT_EQ(rowAt(app, 0, 0).title, "alpha");
}

TEST_F(FilterListTest, AChangeBeforeTheReloadKeepsWhatTheEditorWrote) {
    writeSample();
    SettingsApp app = launchFilterList();
    app.tapRow({0, 1});
    app.typeText(app.findRow("Subject"), "news");
    ASSERT_TRUE(app.goBack());
    app.tapRow({1, 0}); // at once, on the copy read before the editor's write
    const foundation::Dictionary stored = readSettings();
    const foundation::Array& enabled = *stored.at("filtersEnabled").asArray();
    ASSERT_EQ(enabled.size(), 5u);
    EXPECT_EQ(enabled[1].asDictionary()->at("subject"), Value("news"));
    EXPECT_EQ(shownRows(app)[1], "0:b");
}

TEST_F(FilterListTest, AMoveOnListsThatChangedMeanwhileWritesNothingAndShowsThemAsTheyAre) {
    writeSample();
    SettingsApp app = launchFilterList();
    writeSettings({{"filtersEnabled", listOf({"b", "c", "d"})}, // another writer removed a
                   {"filtersDisabled", listOf({"x", "y"})}});
    const foundation::Dictionary before = readSettings();
    forgetNotifications();
    app.moveRow({0, 0}, {2, 0}); // meant for a, which is no longer at the top
    EXPECT_EQ(readSettings(), before);
    EXPECT_FALSE(notificationPosted());
    EXPECT_EQ(shownRows(app),
              (Names{"0:b", "0:c", "0:d", "1:Tap, to add new filter", "1:x", "1:y"}));
}

TEST_F(FilterListTest, ThePaneKeepsItsCopyAsItsSettings) {
    writeSample();
    auto pane = objc::dynamicCast<pane::TBFilterController>(
        PSViewController::createPane(objc_getClass("TBFilterController"), CGSizeMake(320, 568)));
    ASSERT_TRUE(pane);
    const auto settings =
        objc::msgSend<foundation::Dictionary()>(pane, sel_registerName("settings"));
    EXPECT_EQ(settings, readSettings());
    objc::msgSend<void(foundation::Dictionary)>(pane, sel_registerName("setSettings:"),
                                                foundation::Dictionary{});
    pane->tableView()->reloadData();
    EXPECT_EQ(pane->tableView()->numberOfRowsInSection(0), 0);
    EXPECT_EQ(pane->tableView()->style(), UITableViewStylePlain);
    EXPECT_EQ(pane->tableView()->autoresizingMask(), 18u);
    EXPECT_TRUE(pane->tableView()->allowsSelectionDuringEditing());
    EXPECT_FALSE(pane->tableView()->allowsMultipleSelectionDuringEditing());
}

} // namespace
