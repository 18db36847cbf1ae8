#include "pane/colour/TBColorPickerView.hpp"
#include "pane/colour/TBColorPickerView_B.hpp"
#include "pane/colour/TBColorPickerView_H.hpp"
#include "pane/colour/TBColorPickerView_S.hpp"
#include "platform/uikit/TouchDriver.hpp"
#include "platform/uikit/UIAlertView.hpp"
#include "platform/uikit/UITextField.hpp"
#include "platform/uikit/view_renderer.hpp"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using namespace tintbox::pane;

std::string hexOf(UIColor* color) {
    return color ? color->CGColor().hexString() : "nil";
}

// A picker in a window at the origin, so window and picker coordinates agree, with both
// callbacks recorded in the order they come.
class ColourPickerTest : public testing::Test {
protected:
    void TearDown() override { UIAlertView::removeAllShownAlerts(); }

    TBColorPickerView& makePicker(const char* className, objc::Ref<UIColor> colour) {
        picker = TBColorPickerView::make(
            objc_getClass(className), CGRectMake(0, 0, 320, 380), colour.get(),
            [this](UIColor* c) { log.push_back("changed " + hexOf(c)); },
            [this](UIColor* c) { log.push_back("save " + hexOf(c)); });
        window->addSubview(picker.get());
        window->layoutIfNeeded();
        return *picker;
    }
    CGRect square() const { return picker->squareView()->frame(); }
    CGRect strip() const { return picker->stripView()->frame(); }
    std::string label(HsbComponent component) const { return picker->labelOf(component)->text(); }

    objc::Ref<UIView> window = UIView::withFrame(CGRectMake(0, 0, 320, 480));
    objc::Ref<TBColorPickerView> picker;
    std::vector<std::string> log;
};

TEST_F(ColourPickerTest, EachVariantBuildsItsOwnSquareAndStripLaidOutBelowTheLabelRow) {
    struct Case {
        const char* picker;
        const char* squareProperty;
        const char* squareClass;
        const char* stripProperty;
        const char* stripClass;
        const char* markerProperty;
    };
    for (const Case& c : {
             Case{"TBColorPickerView_H", "brightnessSaturationView", "TBBrightnessSaturationView",
                  "hueGradientView", "TBHueSliderView", "hueSelector"},
             Case{"TBColorPickerView_S", "hueBrightnessView", "TBHueBrightnessView",
                  "saturationGradientView", "TBSaturationSliderView", "saturationSelector"},
             Case{"TBColorPickerView_B", "hueSaturationView", "TBHueSaturationView",
                  "brightnessGradientView", "TBBrightnessSliderView", "brightnessSelector"},
         }) {
        SCOPED_TRACE(c.picker);
        makePicker(c.picker, UIColor::colorWithRed(1, 0, 0, 1));
        auto* squareView = objc::msgSend<UIView*()>(picker, sel_registerName(c.squareProperty));
        auto* stripView = objc::msgSend<UIView*()>(picker, sel_registerName(c.stripProperty));
        auto* marker = objc::msgSend<UIView*()>(picker, sel_registerName(c.markerProperty));
        ASSERT_TRUE(squareView && stripView && marker);
        EXPECT_STREQ(object_getClassName(squareView), c.squareClass);
        EXPECT_STREQ(object_getClassName(stripView), c.stripClass);

        const double lh = picker->labelHeight();
        EXPECT_GT(lh, 10);
        EXPECT_EQ(square(), CGRectMake(10, lh + 20, 300, 380 - 100 - lh));
        EXPECT_EQ(strip(), CGRectMake(10, square().maxY() + 14 + lh, 300, 40));
        EXPECT_EQ(marker->frame().size, CGSizeMake(16, 48));
        EXPECT_DOUBLE_EQ(marker->center().y, strip().midY());
        picker->removeFromSuperview();
    }
}

TEST_F(ColourPickerTest, AColourGivenIsShownInTheLabelsAndMarkersWithoutCallingBack) {
    makePicker("TBColorPickerView_H", UIColor::colorWithRed(1, 0, 0, 1));
    picker->setColor(UIColor::colorWithHue(0.5, 0.25, 0.125, 1).get());
    EXPECT_EQ(label(HsbComponent::Hue), "180\u00B0");
    EXPECT_EQ(label(HsbComponent::Brightness), "Brightness: 13%");
    EXPECT_EQ(label(HsbComponent::Saturation), "25% :Saturation");
    EXPECT_DOUBLE_EQ(picker->crossHairs()->center().x, 0.25 * 300 + 10);
    EXPECT_DOUBLE_EQ(picker->crossHairs()->center().y,
                     (1 - 0.125) * square().height() + square().minY());
    EXPECT_DOUBLE_EQ(picker->stripMarker()->center().x, 0.5 * 300 + 10);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(hexOf(picker->color()), hexOf(UIColor::colorWithHue(0.5, 0.25, 0.125, 1).get()));

    makePicker("TBColorPickerView_S", UIColor::colorWithHue(0.5, 0.25, 0.125, 1));
    EXPECT_EQ(label(HsbComponent::Hue), "180\u00B0 : Hue");
    EXPECT_EQ(label(HsbComponent::Brightness), "Brightness: 13%");
    EXPECT_EQ(label(HsbComponent::Saturation), "25%");
    // The saturation strip runs from 1 at the left.
    EXPECT_DOUBLE_EQ(picker->stripMarker()->center().x, 0.75 * 300 + 10);

    makePicker("TBColorPickerView_B", UIColor::colorWithHue(0.5, 0.25, 0.125, 1));
    EXPECT_EQ(label(HsbComponent::Saturation), "Saturation: 25%");
    EXPECT_EQ(label(HsbComponent::Brightness), "13%");
    EXPECT_DOUBLE_EQ(picker->stripMarker()->center().x, 0.875 * 300 + 10);
}

TEST_F(ColourPickerTest, TapsOnTheSquareCornersPickTheExtremes) {
    makePicker("TBColorPickerView_H", UIColor::colorWithHue(0, 1, 1, 1));
    TouchDriver::tap(window.get(), square().origin);
    EXPECT_DOUBLE_EQ(picker->currentValues().saturation, 0);
    EXPECT_DOUBLE_EQ(picker->currentValues().brightness, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"changed #FFFFFFFF", "save #FFFFFFFF"}));

    // The bottom right corner lies outside the square: it is held on the edge.
    log.clear();
    TouchDriver::tap(window.get(), {square().maxX() - 0.5, square().maxY() - 0.5});
    TouchDriver::drag(window.get(), {{square().maxX() - 0.5, square().maxY() - 0.5},
                                     {square().maxX(), square().maxY()}});
    EXPECT_DOUBLE_EQ(picker->currentValues().saturation, 1);
    EXPECT_DOUBLE_EQ(picker->currentValues().brightness, 0);
    EXPECT_EQ(label(HsbComponent::Brightness), "Brightness: 0%");
    EXPECT_EQ(picker->crossHairs()->center(), (CGPoint{square().maxX(), square().maxY()}));
}

TEST_F(ColourPickerTest, ADragOffTheSquareIsHeldOnItsEdgeAndTheLabelRowsAreIgnored) {
    makePicker("TBColorPickerView_H", UIColor::colorWithHue(0, 1, 1, 1));
    const double midY = square().midY();
    TouchDriver::drag(window.get(), {{100, midY}, {200, midY}, {330, midY - 30}, {340, midY}});
    EXPECT_DOUBLE_EQ(picker->currentValues().saturation, 1.0);
    EXPECT_NEAR(picker->currentValues().brightness, 0.5, 1e-9);

    // Up into the top label row: ignored from there on; the crosshair stays.
    log.clear();
    TouchDriver::drag(window.get(), {{100, midY}, {100, square().minY() + 10}, {100, 5}});
    const CGPoint stayed{100, square().minY() + 10};
    EXPECT_EQ(picker->crossHairs()->center(), stayed);
    EXPECT_NEAR(picker->currentValues().brightness, 1 - 10 / square().height(), 1e-9);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().rfind("save ", 0), 0u);
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& e) { return e.rfind("save", 0) == 0; }),
              1);

    // Between the top labels and the square, the point is pulled onto the square's top edge.
    TouchDriver::drag(window.get(), {{100, midY}, {50, square().minY() - 2}});
    EXPECT_DOUBLE_EQ(picker->currentValues().brightness, 1.0);
}

TEST_F(ColourPickerTest, ATouchBeyondTheStripEndIsHeldAtTheEnd) {
    struct Case {
        const char* picker;
        HsbComponent strip;
        double atRightEnd;
        const char* label;
    };
    for (const Case& c : {Case{"TBColorPickerView_H", HsbComponent::Hue, 1.0, "360\u00B0"},
                          Case{"TBColorPickerView_S", HsbComponent::Saturation, 0.0, "0%"},
                          Case{"TBColorPickerView_B", HsbComponent::Brightness, 0.0, "0%"}}) {
        SCOPED_TRACE(c.picker);
        makePicker(c.picker, UIColor::colorWithHue(0.3, 0.6, 0.7, 1));
        const double y = strip().midY();
        TouchDriver::drag(window.get(), {{150, y}, {318, y}, {400, y}});
        EXPECT_DOUBLE_EQ(picker->currentValues()[c.strip], c.atRightEnd);
        EXPECT_EQ(label(c.strip), c.label);
        EXPECT_DOUBLE_EQ(picker->stripMarker()->center().x, strip().maxX());
        picker->removeFromSuperview();
    }
}

TEST_F(ColourPickerTest, EveryTouchUpSavesOnceAfterTheChangeAndAnUnchangedColourOnlySaves) {
    makePicker("TBColorPickerView_H", UIColor::colorWithRed(1, 1, 1, 1));
    // The top left of the square is the white the picker holds already.
    TouchDriver::tap(window.get(), square().origin);
    TouchDriver::tap(window.get(), {square().midX(), square().minY()});
    TouchDriver::tap(window.get(), {square().midX(), square().minY()});
    EXPECT_EQ(log, (std::vector<std::string>{"save #FFFFFFFF", "changed #FF8080FF",
                                             "save #FF8080FF", "save #FF8080FF"}));
}

TEST_F(ColourPickerTest, ATouchOnTheColourShownBeforeAGivenOneIsReported) {
    // Red shown, then green given (a typed hex value): a tap on the hue strip at red picks red
    // again, which is a change from what the picker now shows.
    makePicker("TBColorPickerView_H", UIColor::colorWithRed(1, 0, 0, 1));
    picker->setColor(UIColor::colorWithRed(0, 1, 0, 1).get());
    TouchDriver::tap(window.get(), {strip().minX(), strip().midY()});
    EXPECT_EQ(log, (std::vector<std::string>{"changed #FF0000FF", "save #FF0000FF"}));
    EXPECT_EQ(hexOf(picker->color()), "#FF0000FF");
}

// Every variant: the square's painted colour at a point is the colour a tap there picks.
TEST_F(ColourPickerTest, TheSquareShowsTheColourATapThereGives) {
    for (const char* variant :
         {"TBColorPickerView_H", "TBColorPickerView_S", "TBColorPickerView_B"}) {
        SCOPED_TRACE(variant);
        makePicker(variant, UIColor::colorWithHue(0.4, 0.6, 0.8, 1));
        for (const auto& [fx, fy] :
             {std::pair{0.5, 0.5}, {0.25, 0.75}, {0.8, 0.2}, {0.1, 0.4}, {0.6, 0.9}}) {
            const CGPoint point{square().minX() + fx * square().width(),
                                square().minY() + fy * square().height()};
            TouchDriver::tap(window.get(), point);
            const quartz::Color picked = picker->color()->CGColor();
            // The crosshair sits where the tap was: picture the square on its own.
            const quartz::Image picture = uikit::renderView(*picker->squareView(), 1);
            const quartz::Pixel shown = picture.pixelAt(static_cast<int>(fx * square().width()),
                                                        static_cast<int>(fy * square().height()));
            const auto level = [](double c) { return static_cast<int>(std::lround(c * 255)); };
            SCOPED_TRACE("at " + std::to_string(fx) + ", " + std::to_string(fy));
            EXPECT_NEAR(shown.red, level(picked.red), 3);
            EXPECT_NEAR(shown.green, level(picked.green), 3);
            EXPECT_NEAR(shown.blue, level(picked.blue), 3);
        }
        picker->removeFromSuperview();
    }
}

TEST_F(ColourPickerTest, TypedValuesSetTheComponentThenReportAndSave) {
    makePicker("TBColorPickerView_H", UIColor::colorWithHue(0, 1, 1, 1));
    objc::msgSend<void()>(picker, sel_registerName("askUserForHue"));
    auto alerts = UIAlertView::shownAlerts();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts.back()->message(),
              "Please enter a Hue value between 0\u00B0 and 360\u00B0\n current value is: 0\u00B0");
    EXPECT_EQ(alerts.back()->tag(), kHueAlertTag);
    EXPECT_EQ(alerts.back()->buttonTitles(), (std::vector<std::string>{"Cancel", "OK"}));
    EXPECT_EQ(alerts.back()->textFieldAtIndex(0)->keyboardType(), UIKeyboardTypeNumberPad);

    ASSERT_TRUE(UIAlertView::answerFrontAlert("Cancel", {"90"}));
    EXPECT_TRUE(log.empty());
    EXPECT_DOUBLE_EQ(picker->currentValues().hue, 0);

    objc::msgSend<void()>(picker, sel_registerName("askUserForHue"));
    ASSERT_TRUE(UIAlertView::answerFrontAlert("OK", {"180"}));
    EXPECT_DOUBLE_EQ(picker->currentValues().hue, 0.5);
    EXPECT_DOUBLE_EQ(picker->stripMarker()->center().x, strip().midX());
    EXPECT_EQ(log, (std::vector<std::string>{"changed #00FFFFFF", "save #00FFFFFF"}));

    // Out of range: held within 0..100 (white stays white: saved, not reported).
    objc::msgSend<void()>(picker, sel_registerName("askUserForSaturation"));
    EXPECT_EQ(UIAlertView::shownAlerts().back()->tag(), kSaturationAlertTag);
    ASSERT_TRUE(UIAlertView::answerFrontAlert("OK", {"-20"}));
    EXPECT_DOUBLE_EQ(picker->currentValues().saturation, 0.0);
    objc::msgSend<void()>(picker, sel_registerName("askUserForBrightness"));
    ASSERT_TRUE(UIAlertView::answerFrontAlert("OK", {"250"}));
    EXPECT_DOUBLE_EQ(picker->currentValues().brightness, 1.0);
    EXPECT_EQ(log,
              (std::vector<std::string>{"changed #00FFFFFF", "save #00FFFFFF", "changed #FFFFFFFF",
                                        "save #FFFFFFFF", "save #FFFFFFFF"}));

    objc::msgSend<void()>(picker, sel_registerName("askUserForBrightness"));
    EXPECT_EQ(UIAlertView::shownAlerts().back()->message(),
              "Please enter a Brightness value between 0% and 100%\n current value is: 100%");
    EXPECT_EQ(UIAlertView::shownAlerts().back()->tag(), kBrightnessAlertTag);
    // Not a number reads as 0.
    ASSERT_TRUE(UIAlertView::answerFrontAlert("OK", {"dark"}));
    EXPECT_DOUBLE_EQ(picker->currentValues().brightness, 0);
    EXPECT_EQ(log.back(), "save #000000FF");
}

TEST_F(ColourPickerTest, TheValueButtonsOpenTheirComponentsAlerts) {
    makePicker("TBColorPickerView_B", UIColor::colorWithHue(0.25, 0.5, 0.75, 1));
    const CGRect topLeft = picker->topLeftLabel()->frame();
    TouchDriver::tap(window.get(), topLeft.center());
    ASSERT_EQ(UIAlertView::shownAlerts().size(), 1u);
    EXPECT_EQ(UIAlertView::shownAlerts().back()->tag(), kSaturationAlertTag);
    EXPECT_EQ(UIAlertView::shownAlerts().back()->message(),
              "Please enter a Saturation value between 0% and 100%\n current value is: 50%");
    TouchDriver::tap(window.get(), picker->stripValueLabel()->frame().center());
    EXPECT_EQ(UIAlertView::shownAlerts().back()->tag(), kBrightnessAlertTag);
}

} // namespace
