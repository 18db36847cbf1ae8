#include "pane/colour/TBBrightnessSaturationView.hpp"
#include "pane/colour/TBBrightnessSliderView.hpp"
#include "pane/colour/TBHueBrightnessView.hpp"
#include "pane/colour/TBHueSaturationView.hpp"
#include "pane/colour/TBHueSliderView.hpp"
#include "pane/colour/TBSaturationSliderView.hpp"
#include "platform/quartz/color.hpp"
#include "platform/uikit/view_renderer.hpp"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using namespace tintbox::pane;

constexpr int kTolerance = 3;

// What a view should show at a point given as fractions of its width and height.
using Expected = std::function<quartz::Color(double fx, double fy)>;

quartz::Color hsb(double h, double s, double b) {
    return quartz::Color::fromHSB(h, s, b);
}

void expectPixel(const quartz::Image& picture, int x, int y, quartz::Color expected,
                 const std::string& where) {
    const quartz::Pixel p = picture.pixelAt(x, y);
    const auto channel = [](double c) { return static_cast<int>(std::lround(c * 255)); };
    SCOPED_TRACE(where + " at " + std::to_string(x) + "," + std::to_string(y));
    EXPECT_NEAR(p.red, channel(expected.red), kTolerance);
    EXPECT_NEAR(p.green, channel(expected.green), kTolerance);
    EXPECT_NEAR(p.blue, channel(expected.blue), kTolerance);
    EXPECT_EQ(p.alpha, 255);
}

// The four corners and the middle, each compared at its pixel's centre.
void expectCornersAndMiddle(UIView& view, const Expected& expected, const std::string& where) {
    const quartz::Image picture = uikit::renderView(view, 1);
    const int w = picture.pixelWidth();
    const int h = picture.pixelHeight();
    for (auto [x, y] : std::vector<std::pair<int, int>>{
             {0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {w / 2, h / 2}})
        expectPixel(picture, x, y, expected((x + 0.5) / w, (y + 0.5) / h), where);
}

constexpr CGRect kSquare{{0, 0}, {100, 100}};
constexpr CGRect kStrip{{0, 0}, {100, 40}};

TEST(GradientViewsTest, BrightnessSaturationSquareShowsSaturationAcrossAndBrightnessDown) {
    auto square = UIView::withFrame<TBBrightnessSaturationView>(kSquare);
    for (double hue : {0.0, 0.6}) {
        square->setHue(hue);
        expectCornersAndMiddle(
            *square, [&](double fx, double fy) { return hsb(hue, fx, 1 - fy); },
            "hue " + std::to_string(hue));
    }
    // Hue 0: white at the top left, red at the top right, black along the bottom.
    square->setHue(0);
    const quartz::Image picture = uikit::renderView(*square, 1);
    expectPixel(picture, 0, 0, quartz::Color::white(), "top left");
    expectPixel(picture, 99, 0, {1, 0, 0, 1}, "top right");
    for (int x : {0, 50, 99})
        expectPixel(picture, x, 99, quartz::Color::black(), "bottom");
}

TEST(GradientViewsTest, HueStripRunsFromRedThroughCyanBackToRed) {
    auto strip = UIView::withFrame<TBHueSliderView>(kStrip);
    // Corners are red (hue 0 and 1), the middle cyan.
    expectCornersAndMiddle(
        *strip, [](double fx, double) { return hsb(fx, 1, 1); }, "hue strip");
}

TEST(GradientViewsTest, HueBrightnessSquareShowsTheChosenSaturation) {
    auto square = UIView::withFrame<TBHueBrightnessView>(kSquare);
    for (double saturation : {0.0, 0.5, 1.0}) {
        square->setHueSaturationBrightness(0.3, saturation, 0.9);
        expectCornersAndMiddle(
            *square, [&](double fx, double fy) { return hsb(fx, saturation, 1 - fy); },
            "saturation " + std::to_string(saturation));
    }
}

TEST(GradientViewsTest, SaturationStripFadesToTheGreyOfItsBrightness) {
    auto strip = UIView::withFrame<TBSaturationSliderView>(kStrip);
    for (auto [hue, brightness] : {std::pair{0.6, 0.8}, {0.1, 1.0}, {0.4, 0.0}}) {
        strip->setHueBrightness(hue, brightness);
        expectCornersAndMiddle(
            *strip, [&](double fx, double) { return hsb(hue, 1 - fx, brightness); },
            "brightness " + std::to_string(brightness));
    }
}

// The white layer's middle depends on how alpha is interpolated; its ends do not.
TEST(GradientViewsTest, HueSaturationSquareIsHuedAtTheTopWhiteBelowAndVeiledByBrightness) {
    auto square = UIView::withFrame<TBHueSaturationView>(kSquare);
    for (double brightness : {1.0, 0.5}) {
        square->setHueSaturationBrightness(0.2, 0.5, brightness);
        const quartz::Image picture = uikit::renderView(*square, 1);
        const std::string where = "brightness " + std::to_string(brightness);
        for (int x : {0, 50, 99}) {
            expectPixel(picture, x, 0, hsb((x + 0.5) / 100, 1, brightness), where + ", top");
            expectPixel(picture, x, 99, quartz::Color::white(brightness, 1), where + ", bottom");
        }
    }
    square->setHueSaturationBrightness(0.2, 0.5, 0.0);
    expectCornersAndMiddle(
        *square, [](double, double) { return quartz::Color::black(); }, "brightness 0");
}

TEST(GradientViewsTest, BrightnessStripDarkensToBlack) {
    auto strip = UIView::withFrame<TBBrightnessSliderView>(kStrip);
    for (auto [hue, saturation] : {std::pair{0.0, 1.0}, {0.7, 0.4}}) {
        strip->setHueSaturation(hue, saturation);
        expectCornersAndMiddle(
            *strip, [&](double fx, double) { return hsb(hue, saturation, 1 - fx); },
            "saturation " + std::to_string(saturation));
    }
}

TEST(GradientViewsTest, OnlyCombinedSettersAskForARepaint) {
    auto hueBrightness = UIView::withFrame<TBHueBrightnessView>(kSquare);
    auto hueSaturation = UIView::withFrame<TBHueSaturationView>(kSquare);
    auto saturationStrip = UIView::withFrame<TBSaturationSliderView>(kStrip);
    auto brightnessStrip = UIView::withFrame<TBBrightnessSliderView>(kStrip);
    auto brightnessSaturation = UIView::withFrame<TBBrightnessSaturationView>(kSquare);
    const std::vector<UIView*> views{hueBrightness.get(), hueSaturation.get(),
                                     saturationStrip.get(), brightnessStrip.get(),
                                     brightnessSaturation.get()};
    for (UIView* view : views)
        uikit::renderView(*view, 1);

    const auto send = [](UIView* view, const char* selector, auto... values) {
        objc::msgSend<void(decltype(values)...)>(view, sel_registerName(selector), values...);
    };
    send(hueBrightness.get(), "setHue:", 0.5);
    send(hueBrightness.get(), "setSaturation:", 0.5);
    send(hueBrightness.get(), "setBrightness:", 0.5);
    send(hueSaturation.get(), "setHue:", 0.5);
    send(hueSaturation.get(), "setSaturation:", 0.5);
    send(hueSaturation.get(), "setBrightness:", 0.5);
    send(saturationStrip.get(), "setHue:", 0.5);
    send(saturationStrip.get(), "setBrightness:", 0.5);
    send(brightnessStrip.get(), "setHue:", 0.5);
    send(brightnessStrip.get(), "setSaturation:", 0.5);
    for (UIView* view : views) {
        if (view != brightnessSaturation.get()) {
            EXPECT_FALSE(view->needsDisplay()) << object_getClassName(view);
        }
    }
    EXPECT_DOUBLE_EQ(hueBrightness->saturation(), 0.5);

    send(hueBrightness.get(), "setHue:andSaturation:andBrightness:", 0.1, 0.2, 0.3);
    send(hueSaturation.get(), "setHue:andSaturation:andBrightness:", 0.1, 0.2, 0.3);
    send(saturationStrip.get(), "setHue:andBrightness:", 0.1, 0.3);
    send(brightnessStrip.get(), "setHue:andSaturation:", 0.1, 0.2);
    send(brightnessSaturation.get(), "setHue:", 0.1);
    for (UIView* view : views)
        EXPECT_TRUE(view->needsDisplay()) << object_getClassName(view);
    EXPECT_DOUBLE_EQ(hueSaturation->brightness(), 0.3);
}

} // namespace
