#include "pane/colour/TBColorCell.hpp"
#include "pane/filters/TBFilterSelectorController.hpp"
#include "platform/uikit/TouchDriver.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "tests/pane/filter_fixture.hpp"

#include <gmock/gmock.h>

namespace {

using namespace tintbox;
using foundation::Value;
using sim::settings::PaneRow;
using sim::settings::RowAddress;
using sim::settings::SettingsApp;
using ::testing::HasSubstr;

class FilterEditorTest : public tintbox::testing::FilterPaneFixture {
protected:
    void TearDown() override {
        UIApplication::sharedApplication()->clearOpenedURLs();
        FilterPaneFixture::TearDown();
    }
    // The filter list on `settings`, with the editor of enabled filter `row` opened from it.
    SettingsApp openEditor(const foundation::Dictionary& settings, NSInteger row) {
        writeSettings(settings);
        SettingsApp app = launchFilterList();
        app.tapRow({0, row});
        EXPECT_STREQ(object_getClassName(app.topPane()), "TBFilterSelectorController");
        return app;
    }
    // Three filters, the middle one edited, and other settings that every write must keep.
    static foundation::Dictionary sample(Value edited) {
        return {{"filtersEnabled",
                 Value(foundation::Array{named("first"), std::move(edited), named("third")})},
                {"filtersDisabled", listOf({"off"})},
                {"listAlphaLevel", Value(40)},
                {"Work", Value("#00FF00")}};
    }
    foundation::Dictionary storedFilter(std::size_t index) const {
        const foundation::Dictionary settings = readSettings();
        return *settings.at("filtersEnabled").asArray()->at(index).asDictionary();
    }
    static std::string formula(const SettingsApp& app) {
        return app.cellAt({1, 0})->textLabel()->text();
    }
    static bool detailHidden(const SettingsApp& app, NSInteger row) {
        return app.cellAt({0, row})->detailTextLabel()->isHidden();
    }
};

TEST_F(FilterEditorTest, ShowsTheFourFieldsTheColourLinkTheFormulaAndHelp) {
    SettingsApp app = openEditor(sample(filter({{"from", Value("ann")},
                                                {"to", Value("bob")},
                                                {"cc", Value("cy")},
                                                {"subject", Value("news")},
                                                {"ccMatchType", Value(1)},
                                                {"subjectMatchType", Value(1)}})),
                                 1);
    const auto json = app.json();
    EXPECT_EQ(json["title"], "Filter");
    EXPECT_EQ(json["sections"][1], "Search Formula");
    EXPECT_EQ(json["sections"][2], "Help");
    std::vector<std::string> shown;
    for (const PaneRow& row : app.rows()) {
        shown.push_back(row.title + "|" + row.value.value_or("") + "|" + row.detail);
        EXPECT_EQ(row.height, 34.0) << row.title;
    }
    EXPECT_EQ(shown,
              (std::vector<std::string>{
                  "From|ann|", "From Joins by||OR", "To|bob|", "To Joins by||OR", "Cc|cy|",
                  "Cc Joins by||AND", "Subject|news|", "Subject Joins by||AND", "Color Value 1||",
                  "(From OR To) AND Cc AND Subject||", "Case Insensitive Regular Expressions||"}));
    EXPECT_FALSE(app.rows()[9].enabled) << "the formula is read-only";

    app.tapRow(app.findRow("Case Insensitive Regular Expressions"));
    EXPECT_EQ(
        UIApplication::sharedApplication()->openedURLs(),
        std::vector<std::string>{"http://help.quillward.net/repo/html/regularexpressions.htm"});
}

TEST_F(FilterEditorTest, TheFormulaFollowsWhichFieldsAreFilledAndHowTheyJoin) {
    struct Case {
        const char* name;
        Value edited;
        const char* formula;
        std::array<bool, 4> detailHidden;
    };
    const Case cases[] = {
        {"only subject", filter({{"subject", Value("s")}}), "Subject", {true, true, true, false}},
        {"to and cc by AND",
         filter({{"to", Value("t")},
                 {"cc", Value("c")},
                 {"toMatchType", Value(1)},
                 {"ccMatchType", Value(1)}}),
         "To AND Cc",
         {true, false, false, true}},
        {"all empty", filter({}), "", {true, true, true, true}},
        {"a record without entries", Value(foundation::Dictionary{}), "", {true, true, true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsApp app = openEditor(sample(c.edited), 1);
        EXPECT_EQ(formula(app), c.formula);
        for (std::size_t field = 0; field < 4; ++field)
            EXPECT_EQ(detailHidden(app, static_cast<NSInteger>(2 * field + 1)),
                      c.detailHidden[field])
                << field;
    }
}

TEST_F(FilterEditorTest, APatternIsWrittenIntoItsFilterOnTopOfTheFile) {
    SettingsApp app = openEditor(sample(filter({{"from", Value("ann")}})), 1);
    forgetNotifications();
    app.typeText(app.findRow("Subject"), "^Re: .*news");
    EXPECT_TRUE(notificationPosted());
    EXPECT_EQ(storedFilter(1).at("subject"), Value("^Re: .*news"));
    EXPECT_EQ(storedFilter(1).at("from"), Value("ann"));
    EXPECT_EQ(formula(app), "From OR Subject");
    EXPECT_FALSE(detailHidden(app, 7));

    const foundation::Dictionary stored = readSettings();
    foundation::Dictionary expected = sample(filter({{"from", Value("ann")}}));
    (*expected["filtersEnabled"].asArray())[1].asDictionary()->at("subject") = Value("^Re: .*news");
    EXPECT_EQ(stored, expected) << "every other key and filter kept";
    EXPECT_THAT(settingsThroughPlistlib(), HasSubstr("\"subject\": \"^Re: .*news\""));
}

TEST_F(FilterEditorTest, ChangingAMatchTypeMovesTheFieldToTheOtherGroup) {
    SettingsApp app = openEditor(
        sample(filter({{"from", Value("a")}, {"to", Value("b")}, {"cc", Value("c")}})), 1);
    EXPECT_EQ(formula(app), "From OR To OR Cc");
    app.choose(app.findRow("To Joins by"), "AND");
    EXPECT_EQ(storedFilter(1).at("toMatchType"), Value(1));
    EXPECT_EQ(formula(app), "(From OR Cc) AND To");
    EXPECT_EQ(app.rows()[3].detail, "AND");
}

TEST_F(FilterEditorTest, ClearingAFieldStoresTheEmptyPatternAndHidesItsMatchType) {
    SettingsApp app = openEditor(sample(filter({{"from", Value("a")}, {"cc", Value("c")}})), 1);
    ASSERT_FALSE(detailHidden(app, 5));
    app.typeText(app.findRow("Cc"), "");
    EXPECT_EQ(storedFilter(1).at("cc"), Value(""));
    EXPECT_TRUE(detailHidden(app, 5));
    EXPECT_EQ(formula(app), "From");
    EXPECT_TRUE(UIAlertView::shownAlerts().empty()) << "the empty pattern is not checked";
}

TEST_F(FilterEditorTest, AnInvalidPatternIsRefusedWithAnAlertAndNotStored) {
    SettingsApp app = openEditor(sample(filter({{"from", Value("a")}, {"cc", Value("ok")}})), 1);
    const foundation::Dictionary before = readSettings();
    forgetNotifications();
    app.typeText(app.findRow("Cc"), "(");

    const auto alerts = UIAlertView::shownAlerts();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]->title(), "ERROR - cc");
    EXPECT_THAT(alerts[0]->message(), HasSubstr("(\n\nInvalid regular expression\n"));
    EXPECT_GT(alerts[0]->message().size(), std::string("(\n\nInvalid regular expression\n").size())
        << "with the reason";
    EXPECT_EQ(alerts[0]->buttonTitles(), std::vector<std::string>{"OK"});
    EXPECT_EQ(readSettings(), before);
    EXPECT_FALSE(notificationPosted());
    EXPECT_EQ(app.rows()[4].value, "ok") << "the field shows what is stored";
    EXPECT_EQ(formula(app), "From OR Cc");

    app.answerAlert("OK");
    EXPECT_TRUE(UIAlertView::shownAlerts().empty());
    EXPECT_STREQ(object_getClassName(app.topPane()), "TBFilterSelectorController");
    app.typeText(app.findRow("Cc"), "(ok|fine)");
    EXPECT_EQ(storedFilter(1).at("cc"), Value("(ok|fine)"));
}

TEST_F(FilterEditorTest, AFilterGoneFromTheFileIsNeitherWrittenNorShownWrong) {
    SettingsApp app = openEditor(sample(filter({{"from", Value("mine")}})), 2);
    // Another writer shortens the list while the editor of filter 2 is open.
    writeSettings({{"filtersEnabled", listOf({"first", "second"})}, {"Work", Value("#00FF00")}});
    const foundation::Dictionary before = readSettings();
    forgetNotifications();
    app.typeText(app.findRow("Subject"), "late");
    EXPECT_EQ(readSettings(), before) << "no other filter takes the change";
    EXPECT_FALSE(notificationPosted());
    EXPECT_TRUE(UIAlertView::shownAlerts().empty());
    EXPECT_EQ(formula(app), "From OR Subject") << "the change is still followed";

    std::filesystem::remove(settingsFile());
    app.typeText(app.findRow("To"), "x");
    EXPECT_FALSE(std::filesystem::exists(settingsFile())) << "no file is made for it";

    writeSettings(before);
    app.openPane("TBOptionsReminders"); // come back, so that the editor reads the file again
    ASSERT_TRUE(app.goBack());
    const std::vector<PaneRow> rows = app.rows();
    EXPECT_EQ(rows[0].value, "") << "not filter 0 or 1";
    EXPECT_EQ(rows[8].background, "#FFFFFFFF");
}

TEST_F(FilterEditorTest, TheColourLinkOpensTheColourSelectorOfTheFilterAndShowsItsColour) {
    SettingsApp app =
        openEditor(sample(filter({{"from", Value("a")}, {"hexColor", Value("#FF0000")}})), 1);
    const PaneRow colour = app.rows()[8];
    EXPECT_EQ(colour.title, "Color Value 1");
    EXPECT_EQ(colour.background, "#FF0000FF") << "the list filter band at full opacity";
    EXPECT_EQ(colour.textColour, "#FFFFFFFF");

    app.tapRow({0, 8});
    ASSERT_STREQ(object_getClassName(app.topPane()), "ColorSelectorController");
    EXPECT_EQ(app.topPane()->title(), "Color Value 1");
    auto* cell = dynamic_cast<pane::TBColorCell*>(app.cellAt({0, 0}));
    ASSERT_NE(cell, nullptr);
    UIView* hex = cell->hexColorField();
    TouchDriver::tap(&app.screen(), hex->convertRectToView(hex->bounds(), &app.screen()).center());
    app.answerAlert("Save", {"#0000FF"});
    EXPECT_EQ(storedFilter(1).at("hexColor"), Value("#0000FF"));
    EXPECT_EQ(storedFilter(0).at("hexColor"), Value("#FFFFFF"));

    ASSERT_TRUE(app.goBack());
    EXPECT_EQ(app.rows()[8].background, "#0000FFFF") << "read again on return";
    ASSERT_TRUE(app.goBack());
    advance(0.25);
    EXPECT_EQ(app.rows()[1].background, "#0000FFFF") << "and in the list after its reload";
}

} // namespace
