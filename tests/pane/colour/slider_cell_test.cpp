#include "pane/colour/TBSliderCell.hpp"
#include "platform/uikit/TouchDriver.hpp"
#include "tests/pane/colour/pane_fixture.hpp"

#include <gtest/gtest.h>

namespace {

using namespace tintbox::pane;
using foundation::Dictionary;

class SliderCellTest : public tintbox::testing::PaneFixture {
protected:
    objc::Ref<TBSliderCell> makeCell(Dictionary extra = {}) {
        Dictionary properties{{"key", "listAlphaLevel"},
                              {"defaults", "net.quillward.tintbox"},
                              {"PostNotification", "net.quillward.tintbox.preferences"},
                              {"name", "Opacity"},
                              {"min", 0},
                              {"max", 100},
                              {"default", 25}};
        for (auto& [name, value] : extra)
            properties[name] = value;
        auto cell = objc::dynamicCast<TBSliderCell>(PSTableCell::createCell(
            objc_getClass("TBSliderCell"), 0, "slider", cellSpecifier(properties).get()));
        EXPECT_TRUE(cell);
        cell->layoutIfNeeded(); // as the option pane's table shows the row
        return cell;
    }
    void release(TBSliderCell& cell, float value) {
        cell.slider()->setValue(value);
        objc::msgSend<void(NSObject*)>(&cell, sel_registerName("sliderTouchUpInsideOutsideAction:"),
                                       cell.slider());
    }
    void type(TBSliderCell& cell, const std::string& text) {
        TouchDriver::tap(&cell, cell.valueButton()->frame().center());
        ASSERT_TRUE(UIAlertView::answerFrontAlert("Save", {text}));
    }
    foundation::Value stored() { return readSettings()["listAlphaLevel"]; }
};

TEST_F(SliderCellTest, ReleasingStoresTheWholeNumberWithinHalfAHundredthBelow) {
    writeSettings({{"enabled", true}});
    auto cell = makeCell();
    for (auto [value, whole] : {std::pair{42.7f, 42}, {42.996f, 43}, {42.994f, 42}, {0.0f, 0}}) {
        release(*cell, value);
        EXPECT_EQ(stored(), foundation::Value(whole)) << value;
        EXPECT_EQ(cell->valueField()->text(), std::to_string(whole));
    }
    EXPECT_EQ(readSettings()["enabled"], foundation::Value(true));
    EXPECT_TRUE(stored().isInteger());
    EXPECT_TRUE(notificationPosted());
}

TEST_F(SliderCellTest, StartsAtTheStoredValueOrTheDefault) {
    EXPECT_EQ(makeCell()->slider()->value(), 25);
    writeSettings({{"listAlphaLevel", 60}});
    auto cell = makeCell();
    EXPECT_EQ(cell->slider()->value(), 60);
    EXPECT_EQ(cell->valueField()->text(), "60");
    writeSettings({{"listAlphaLevel", "many"}});
    EXPECT_EQ(makeCell({{"min", 10}})->slider()->value(), 10);
    EXPECT_EQ(makeCell()->titleLabel()->text(), "Opacity");
}

TEST_F(SliderCellTest, ShowsItsTitleOnceAlsoWhenTheListRefreshesAReusedRow) {
    auto cell = makeCell();
    EXPECT_EQ(cell->textLabel()->text(), "");
    objc::msgSend<void(PSSpecifier*)>(cell, sel_registerName("refreshCellContentsWithSpecifier:"),
                                      cell->specifier());
    EXPECT_EQ(cell->textLabel()->text(), "");
    EXPECT_EQ(cell->titleLabel()->text(), "Opacity");
}

TEST_F(SliderCellTest, TypedValuesAreHeldInRange) {
    writeSettings({});
    auto cell = makeCell({{"type", "%"}});
    TouchDriver::tap(cell.get(), cell->valueButton()->frame().center());
    auto alert = UIAlertView::shownAlerts().back();
    EXPECT_EQ(alert->message(), "Please enter a value between\n0% and 100%");
    EXPECT_EQ(alert->tag(), kSliderEntryTag);
    EXPECT_EQ(alert->textFieldAtIndex(0)->text(), "");
    EXPECT_EQ(alert->textFieldAtIndex(0)->keyboardType(), UIKeyboardTypeNumberPad);
    ASSERT_TRUE(UIAlertView::answerFrontAlert("Save", {"250"}));
    EXPECT_EQ(stored(), foundation::Value(100));
    EXPECT_NE(cell->valueField()->rightView(), nullptr);

    type(*cell, "abc");
    EXPECT_EQ(stored(), foundation::Value(0));

    auto raised = makeCell({{"min", 10}});
    type(*raised, "abc");
    EXPECT_EQ(stored(), foundation::Value(10));

    auto negative = makeCell({{"min", -50}});
    TouchDriver::tap(negative.get(), negative->valueButton()->frame().center());
    EXPECT_EQ(UIAlertView::shownAlerts().back()->textFieldAtIndex(0)->text(), "-");
    EXPECT_EQ(UIAlertView::shownAlerts().back()->message(),
              "Please enter a value between\n-50 and 100");
    ASSERT_TRUE(UIAlertView::answerFrontAlert("Cancel", {"7"}));
    EXPECT_EQ(stored(), foundation::Value(10));
}

TEST_F(SliderCellTest, DisabledControlsAreDimmedButTheEntryButtonStillWorks) {
    auto cell = makeCell();
    objc::msgSend<void(bool)>(cell, sel_registerName("enableControls:"), false);
    EXPECT_FALSE(cell->titleLabel()->isEnabled());
    EXPECT_FALSE(cell->valueField()->isEnabled());
    EXPECT_FALSE(cell->slider()->isEnabled());
    EXPECT_DOUBLE_EQ(cell->valueField()->alpha(), 0.5);
    TouchDriver::tap(cell.get(), cell->valueButton()->frame().center());
    EXPECT_EQ(UIAlertView::shownAlerts().size(), 1u);

    objc::msgSend<void(bool)>(cell, sel_registerName("enableControls:"), true);
    EXPECT_TRUE(cell->titleLabel()->isEnabled());
    EXPECT_TRUE(cell->slider()->isEnabled());
    EXPECT_TRUE(cell->valueField()->isEnabled());
    EXPECT_DOUBLE_EQ(cell->valueField()->alpha(), 1.0);
}

TEST_F(SliderCellTest, WithoutDefaultsNothingIsWrittenButEachReleasePosts) {
    writeSettings({{"listAlphaLevel", 5}});
    const std::string bytes = tintbox::testing::fileContents(settingsFile());
    auto cell = makeCell({{"defaults", foundation::Value()}});
    EXPECT_EQ(cell->slider()->value(), 25);
    cell->slider()->simulateDragToValue(70);
    EXPECT_EQ(cell->valueField()->text(), "70");
    EXPECT_EQ(tintbox::testing::fileContents(settingsFile()), bytes);
    EXPECT_TRUE(notificationPosted());
}

} // namespace
