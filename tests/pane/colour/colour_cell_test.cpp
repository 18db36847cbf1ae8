#include "pane/colour/TBColorCell.hpp"
#include "platform/uikit/TouchDriver.hpp"
#include "platform/uikit/UITextField.hpp"
#include "tests/pane/colour/pane_fixture.hpp"

#include <gtest/gtest.h>

namespace {

using namespace tintbox::pane;
using foundation::Array;
using foundation::Dictionary;
using foundation::Value;

class ColourCellTest : public tintbox::testing::PaneFixture {
protected:
    static Dictionary specifierProperties(const std::string& key) {
        return {{"key", key},
                {"defaults", "net.quillward.tintbox"},
                {"PostNotification", "net.quillward.tintbox.preferences"},
                {"min", 0},
                {"max", 255},
                {"default", "#FFFFFF"}};
    }
    objc::Ref<TBColorCell> makeCell(const std::string& key, Dictionary extra = {}) {
        Dictionary properties = specifierProperties(key);
        for (auto& [name, value] : extra)
            properties[name] = value;
        auto cell = objc::dynamicCast<TBColorCell>(PSTableCell::createCell(
            objc_getClass("TBColorCell"), 3, "colour", cellSpecifier(properties).get()));
        EXPECT_TRUE(cell);
        // As the pane's table shows the row.
        cell->setFrame(CGRectMake(0, 0, 320, kColorCellHeight));
        cell->layoutIfNeeded();
        return cell;
    }
    static std::string preview(UILabel* label) {
        return label->backgroundColor()->CGColor().hexString();
    }
    static std::string textColour(UILabel* label) {
        return label->textColor()->CGColor().hexString();
    }
    static int sliderValue(TBColorCell& cell, TBColorCell::Channel channel) {
        return static_cast<int>(cell.slider(channel)->value());
    }
    static Array filters(std::initializer_list<const char*> colours) {
        Array records;
        for (const char* colour : colours) {
            Dictionary record;
            record["from"] = "a@example.com";
            record["fromMatchType"] = 0;
            record["hexColor"] = colour;
            record["subject"] = "";
            records.emplace_back(std::move(record));
        }
        return records;
    }
};

TEST_F(ColourCellTest, TextIsWhiteWhereTheColourBlendedOverWhiteIsDark) {
    struct Case {
        int r, g, b;
        float alpha;
        bool white;
    };
    auto cell = makeCell("Work");
    for (const Case& c :
         {Case{255, 255, 255, 1.0f, false}, Case{255, 255, 255, 0.3f, false},
          Case{0, 0, 0, 1.0f, true}, Case{0, 0, 0, 0.25f, false}, Case{0, 0, 0, 0.5f, true},
          Case{128, 128, 128, 1.0f, false}, Case{127, 127, 127, 1.0f, true},
          Case{255, 0, 0, 0.25f, false}, Case{0, 0, 128, 1.0f, true}}) {
        EXPECT_EQ(objc::msgSend<bool(int, int, int, float)>(
                      cell, sel_registerName("useWhiteFont:withGreen:withBlue:withOpacity:"), c.r,
                      c.g, c.b, c.alpha),
                  c.white)
            << c.r << "," << c.g << "," << c.b << " at " << c.alpha;
    }
}

TEST_F(ColourCellTest, AnAccountColourShowsAsStoredWithTheAccountAlphaLevels) {
    writeSettings({{"Work", "#ff8000"}, {"mailBoxAlphaLevel", 40}, {"messageAlphaLevel", "80"}});
    auto cell = makeCell("Work");
    EXPECT_EQ(cell->hexColorField()->text(), "#FF8000");
    EXPECT_EQ(sliderValue(*cell, TBColorCell::Red), 255);
    EXPECT_EQ(sliderValue(*cell, TBColorCell::Green), 128);
    EXPECT_EQ(sliderValue(*cell, TBColorCell::Blue), 0);
    EXPECT_EQ(cell->valueLabel(TBColorCell::Green)->text(), "128");
    EXPECT_FLOAT_EQ(cell->alphaLevels().mailBox, 0.4f);
    EXPECT_FLOAT_EQ(cell->alphaLevels().list, 0.25f);
    EXPECT_FLOAT_EQ(cell->alphaLevels().message, 0.8f);
    EXPECT_EQ(preview(cell->mailBoxColorField()), "#FF800066");
    EXPECT_EQ(preview(cell->listColorField()), "#FF800040");
    EXPECT_EQ(textColour(cell->messageColorField()), "#000000FF");
}

TEST_F(ColourCellTest, AFilterColourReadsItsRecordAndTheFilterAlphaLevels) {
    struct Case {
        Dictionary settings;
        float list;
        float message;
    };
    const Array records = filters({"#000000", "#123456", "#00FF00", "#0000FF"});
    for (const Case& c : {
             Case{{{"filtersEnabled", records}}, 1.0f, 1.0f},
             Case{{{"filtersEnabled", records},
                   {"listAlphaLevelFilters", 50},
                   {"listAlphaLevel", 30},
                   {"messageAlphaLevelFilters", 70}},
                  0.5f,
                  0.7f},
             Case{{{"filtersEnabled", records},
                   {"useAccountSettingsForListFilters", true},
                   {"listAlphaLevelFilters", 50},
                   {"useAccountSettingsForMessageFilters", true},
                   {"messageAlphaLevel", 60}},
                  0.25f,
                  0.6f},
             Case{{{"filtersEnabled", records},
                   {"useAccountSettingsForListFilters", false},
                   {"listAlphaLevel", 30}},
                  1.0f,
                  1.0f},
         }) {
        writeSettings(c.settings);
        auto cell = makeCell("Color Value 3");
        EXPECT_EQ(cell->hexColorField()->text(), "#0000FF");
        EXPECT_FLOAT_EQ(cell->alphaLevels().mailBox, 0.0f);
        EXPECT_EQ(preview(cell->mailBoxColorField()), "#0000FF00");
        EXPECT_FLOAT_EQ(cell->alphaLevels().list, c.list);
        EXPECT_FLOAT_EQ(cell->alphaLevels().message, c.message);
    }
}

TEST_F(ColourCellTest, WithoutAReadableFileTheDefaultShowsAtTheDefaultLevels) {
    auto cell = makeCell("Color Value 1", {{"default", "#336699"}});
    EXPECT_EQ(cell->hexColorField()->text(), "#336699");
    EXPECT_FLOAT_EQ(cell->alphaLevels().mailBox, 0.25f);
    EXPECT_FLOAT_EQ(cell->alphaLevels().list, 0.25f);

    // A stale filter index loads nothing: the default shows.
    writeSettings({{"filtersEnabled", filters({"#000000"})}});
    cell = makeCell("Color Value 5", {{"default", "#336699"}});
    EXPECT_EQ(cell->hexColorField()->text(), "#336699");
}

TEST_F(ColourCellTest, ThePickerGoesAboveOrBelowTheSlidersAndIsOfTheChosenType) {
    struct Case {
        Dictionary extraProperties;
        Dictionary settings;
        double pickerTop;
        double slidersTop;
        const char* pickerClass;
    };
    for (const Case& c : {
             Case{{}, {}, 90, 490, "TBColorPickerView_H"},
             Case{{{"preferColorPicker", false}},
                  {{"colorPickerType", 5}},
                  285,
                  90,
                  "TBColorPickerView_H"},
             Case{{{"preferColorPicker", true}},
                  {{"colorPickerType", 1}},
                  90,
                  490,
                  "TBColorPickerView_S"},
             Case{{}, {{"colorPickerType", "2"}}, 90, 490, "TBColorPickerView_B"},
         }) {
        writeSettings(c.settings);
        auto cell = makeCell("Work", c.extraProperties);
        const double width = cell->frame().size.width;
        EXPECT_EQ(cell->colorPickerView()->frame(), CGRectMake(0, c.pickerTop, width, 380));
        EXPECT_STREQ(object_getClassName(cell->colorPickerView()), c.pickerClass);
        EXPECT_DOUBLE_EQ(cell->slider(TBColorCell::Red)->frame().origin.y, c.slidersTop + 18);
        EXPECT_DOUBLE_EQ(cell->slider(TBColorCell::Blue)->frame().origin.y, c.slidersTop + 154);
        EXPECT_DOUBLE_EQ(cell->valueLabel(TBColorCell::Green)->frame().origin.y, c.slidersTop + 61);
    }
}

TEST_F(ColourCellTest, PreviewsSitInThreeColumnsUnderACentredHexValue) {
    auto cell = makeCell("Work");
    const double width = cell->frame().size.width; // 320: columns of (320 - 34) / 3
    const float column = static_cast<float>(286 / 3.0);
    EXPECT_EQ(width, 320);
    EXPECT_EQ(cell->mailBoxColorField()->frame(), CGRectMake(15, 41, column, 38));
    EXPECT_EQ(cell->listColorField()->frame(), CGRectMake(column + 17, 41, column, 38));
    EXPECT_EQ(cell->messageColorField()->frame(), CGRectMake(2 * column + 19, 41, column, 38));
    EXPECT_DOUBLE_EQ(cell->hexColorField()->frame().midX(), width / 2);
    EXPECT_EQ(cell->hexButton()->frame(), cell->hexColorField()->frame());
    EXPECT_EQ(cell->mailBoxColorField()->text(), "MailBox");
    EXPECT_EQ(cell->helpLabel()->frame().origin, (CGPoint{15, 685}));
}

TEST_F(ColourCellTest, TypedHexValuesAreClampedToWhiteAndSavedUpperCase) {
    struct Case {
        const char* typed;
        const char* shown;
        int red, green, blue;
    };
    writeSettings({{"Work", "#ff8000"}});
    auto cell = makeCell("Work");
    for (const Case& c :
         {Case{"1000000", "#FFFFFF", 255, 255, 255}, Case{"zz", "#FFFFFF", 255, 255, 255},
          Case{"#00FF00", "#00FF00", 0, 255, 0}, Case{"##0x336699", "#336699", 0x33, 0x66, 0x99},
          Case{"abcdef", "#ABCDEF", 0xAB, 0xCD, 0xEF}}) {
        TouchDriver::tap(cell.get(), cell->hexButton()->frame().center());
        ASSERT_EQ(UIAlertView::shownAlerts().size(), 1u);
        auto alert = UIAlertView::shownAlerts().back();
        EXPECT_EQ(alert->tag(), kHexEntryTag);
        EXPECT_EQ(alert->message(), "Please enter a hex value between\n#000000 and "
                                    "#FFFFFF\nCurrent value is: " +
                                        cell->hexColorField()->text());
        EXPECT_EQ(alert->textFieldAtIndex(0)->text(), "");
        ASSERT_TRUE(UIAlertView::answerFrontAlert("Save", {c.typed}));
        EXPECT_EQ(cell->hexColorField()->text(), c.shown) << c.typed;
        EXPECT_EQ(sliderValue(*cell, TBColorCell::Red), c.red);
        EXPECT_EQ(sliderValue(*cell, TBColorCell::Green), c.green);
        EXPECT_EQ(sliderValue(*cell, TBColorCell::Blue), c.blue);
        EXPECT_EQ(*readSettings().at("Work").asString(), c.shown);
    }
    // The picker follows a typed value.
    EXPECT_NEAR(cell->colorPickerView()->currentValues().hue, 210.0 / 360, 1e-9); // #ABCDEF
}

TEST_F(ColourCellTest, TypedChannelValuesAreHeldInRangeAndNotANumberIsZero) {
    writeSettings({{"Work", "#102030"}});
    auto cell = makeCell("Work", {{"min", -10}});
    TouchDriver::tap(cell.get(), cell->valueButton(TBColorCell::Red)->frame().center());
    auto alert = UIAlertView::shownAlerts().back();
    EXPECT_EQ(alert->message(), "Please enter a value for Red between\n-10 and 255");
    EXPECT_EQ(alert->tag(), kRedEntryTag);
    EXPECT_EQ(alert->textFieldAtIndex(0)->text(), "-");
    EXPECT_EQ(alert->textFieldAtIndex(0)->keyboardType(), UIKeyboardTypeNumberPad);
    ASSERT_TRUE(UIAlertView::answerFrontAlert("Save", {"300"}));
    EXPECT_EQ(cell->valueLabel(TBColorCell::Red)->text(), "255");
    EXPECT_EQ(*readSettings().at("Work").asString(), "#FF2030");

    objc::msgSend<void()>(cell, sel_registerName("askUserForInputB"));
    EXPECT_EQ(UIAlertView::shownAlerts().back()->tag(), kBlueEntryTag);
    ASSERT_TRUE(UIAlertView::answerFrontAlert("Save", {"blue"}));
    EXPECT_EQ(*readSettings().at("Work").asString(), "#FF2000");

    objc::msgSend<void()>(cell, sel_registerName("askUserForInputG"));
    ASSERT_TRUE(UIAlertView::answerFrontAlert("Cancel", {"99"}));
    EXPECT_EQ(*readSettings().at("Work").asString(), "#FF2000");

    auto withUnit = makeCell("Work", {{"type", "pt"}});
    objc::msgSend<void()>(withUnit, sel_registerName("askUserForInputG"));
    EXPECT_EQ(UIAlertView::shownAlerts().back()->message(),
              "Please enter a value for Green between\n0pt and 255pt");
    EXPECT_EQ(UIAlertView::shownAlerts().back()->textFieldAtIndex(0)->text(), "");
}

TEST_F(ColourCellTest, SavingAnAccountColourChangesThatEntryOnlyAndPosts) {
    const Dictionary before{{"Work", "#ff8000"},
                            {"Home", "#00FF00"},
                            {"enabled", true},
                            {"listAlphaLevel", 40},
                            {"filtersEnabled", filters({"#111111"})}};
    writeSettings(before);
    auto cell = makeCell("Work");
    EXPECT_FALSE(notificationPosted());
    cell->slider(TBColorCell::Blue)->simulateDragToValue(64.4f);
    EXPECT_TRUE(notificationPosted());
    EXPECT_EQ(cell->hexColorField()->text(), "#FF8040");
    EXPECT_EQ(cell->valueLabel(TBColorCell::Blue)->text(), "64");

    Dictionary expected = before;
    expected["Work"] = "#FF8040";
    EXPECT_EQ(readSettings(), expected);
    EXPECT_EQ(settingsThroughPlistlib(),
              "{\"Home\": \"#00FF00\", \"Work\": \"#FF8040\", \"enabled\": true, "
              "\"filtersEnabled\": [{\"from\": \"a@example.com\", \"fromMatchType\": 0, "
              "\"hexColor\": \"#111111\", \"subject\": \"\"}], \"listAlphaLevel\": 40}\n");
}

TEST_F(ColourCellTest, SavingAFilterColourChangesThatRecordsHexColorOnly) {
    const Dictionary before{{"Work", "#ff8000"},
                            {"filtersEnabled", filters({"#111111", "#222222", "#333333"})},
                            {"filtersDisabled", filters({"#444444"})}};
    writeSettings(before);
    auto cell = makeCell("Color Value 1");
    EXPECT_EQ(cell->hexColorField()->text(), "#222222");
    objc::msgSend<void()>(cell, sel_registerName("askUserForInputHex"));
    ASSERT_TRUE(UIAlertView::answerFrontAlert("Save", {"#abcdef"}));

    Dictionary expected = before;
    (*(*expected["filtersEnabled"].asArray())[1].asDictionary())["hexColor"] = "#ABCDEF";
    EXPECT_EQ(readSettings(), expected);
    const std::string json = settingsThroughPlistlib();
    EXPECT_NE(json.find("\"hexColor\": \"#111111\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"hexColor\": \"#ABCDEF\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"hexColor\": \"#333333\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"filtersDisabled\": [{\"from\": \"a@example.com\", \"fromMatchType\": "
                        "0, \"hexColor\": \"#444444\""),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"Work\": \"#ff8000\""), std::string::npos) << json;
}

TEST_F(ColourCellTest, AFilterListThatShrankOrIsMissingIsNeverWrittenButTheChangeIsPosted) {
    writeSettings({{"filtersEnabled", filters({"#111111", "#222222", "#333333"})}});
    auto cell = makeCell("Color Value 2");
    // Another pane deletes filters meanwhile.
    const Dictionary shorter{{"filtersEnabled", filters({"#111111"})}, {"enabled", true}};
    writeSettings(shorter);
    const std::string bytes = tintbox::testing::fileContents(settingsFile());
    objc::msgSend<void()>(cell, sel_registerName("askUserForInputHex"));
    ASSERT_TRUE(UIAlertView::answerFrontAlert("Save", {"#ABCDEF"}));
    EXPECT_EQ(tintbox::testing::fileContents(settingsFile()), bytes);
    EXPECT_TRUE(notificationPosted());

    writeSettings({{"enabled", true}});
    forgetNotifications();
    cell->slider(TBColorCell::Red)->simulateDragToValue(10);
    EXPECT_EQ(readSettings(), (Dictionary{{"enabled", true}}));
    EXPECT_TRUE(notificationPosted());
}

TEST_F(ColourCellTest, PickerGesturesMoveTheSlidersAndSaveWhenTheyEnd) {
    writeSettings({{"Work", "#FF0000"}});
    auto cell = makeCell("Work");
    TBColorPickerView* picker = cell->colorPickerView();
    // At the top left of the hue picker's square: saturation 0, brightness 1 (white).
    const CGRect square = picker->convertRectToView(picker->squareView()->frame(), cell.get());
    TouchDriver::drag(cell.get(), {{square.midX(), square.midY()}, square.origin});
    EXPECT_EQ(sliderValue(*cell, TBColorCell::Green), 255);
    EXPECT_EQ(cell->hexColorField()->text(), "#FFFFFF");
    EXPECT_EQ(*readSettings().at("Work").asString(), "#FFFFFF");

    // A slider moved by hand updates the picker.
    cell->slider(TBColorCell::Green)->simulateDragToValue(0);
    EXPECT_DOUBLE_EQ(picker->currentValues().saturation, 1.0);
    EXPECT_EQ(*readSettings().at("Work").asString(), "#FF00FF");
}

TEST_F(ColourCellTest, TheCellGoesAwayWhileItsPickerIsStillHeld) {
    writeSettings({{"Work", "#FF0000"}});
    objc::Ref<TBColorPickerView> picker;
    objc::WeakRef<TBColorCell> weakCell;
    {
        auto cell = makeCell("Work");
        picker = cell->colorPickerView();
        weakCell = cell.get();
    }
    EXPECT_EQ(weakCell.get(), nullptr);
    // The callbacks find no cell and do nothing.
    TouchDriver::tap(picker.get(), picker->squareView()->frame().center());
    EXPECT_EQ(*readSettings().at("Work").asString(), "#FF0000");
}

} // namespace
