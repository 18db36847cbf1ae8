#include "platform/quartz/color.hpp"

#include <gtest/gtest.h>

namespace {

using quartz::Color;

struct HSBCase {
    double hue, saturation, brightness;
    Color rgb;
};

TEST(Color, FromHSBFollowsTheHueCircle) {
    const HSBCase cases[] = {
        {0, 1, 1, {1, 0, 0, 1}},       {1.0 / 6, 1, 1, {1, 1, 0, 1}},
        {1.0 / 3, 1, 1, {0, 1, 0, 1}}, {0.5, 1, 1, {0, 1, 1, 1}},
        {2.0 / 3, 1, 1, {0, 0, 1, 1}}, {5.0 / 6, 1, 1, {1, 0, 1, 1}},
        {1, 1, 1, {1, 0, 0, 1}},       {0.25, 0, 0.5, {0.5, 0.5, 0.5, 1}},
        {0, 0.5, 1, {1, 0.5, 0.5, 1}}, {0.7, 1, 0, {0, 0, 0, 1}},
    };
    for (const auto& c : cases) {
        Color color = Color::fromHSB(c.hue, c.saturation, c.brightness);
        EXPECT_NEAR(color.red, c.rgb.red, 1e-12) << c.hue << " " << c.saturation;
        EXPECT_NEAR(color.green, c.rgb.green, 1e-12) << c.hue << " " << c.saturation;
        EXPECT_NEAR(color.blue, c.rgb.blue, 1e-12) << c.hue << " " << c.saturation;
        EXPECT_EQ(color.alpha, 1.0);
    }
}

TEST(Color, HSBRoundTrips) {
    for (double hue : {0.0, 0.1, 0.35, 0.5, 0.66, 0.99}) {
        for (double saturation : {0.2, 1.0}) {
            auto hsb = Color::fromHSB(hue, saturation, 0.75).hsb();
            EXPECT_NEAR(hsb.hue, hue, 1e-12);
            EXPECT_NEAR(hsb.saturation, saturation, 1e-12);
            EXPECT_NEAR(hsb.brightness, 0.75, 1e-12);
        }
    }
    auto grey = Color{0.4, 0.4, 0.4, 1}.hsb();
    EXPECT_EQ(grey.hue, 0);
    EXPECT_EQ(grey.saturation, 0);
    EXPECT_EQ(Color::black().hsb().saturation, 0) << "black must not divide by zero";
}

TEST(Color, HexStringRoundsAndClamps) {
    EXPECT_EQ(Color::fromHSB(0, 1, 1).hexString(), "#FF0000FF");
    EXPECT_EQ(Color::clear().hexString(), "#00000000");
    EXPECT_EQ((Color{0.5, 1.5, -0.2, 0.04}).hexString(), "#80FF000A");
}

} // namespace
