#include "engine/colour.hpp"

#include <gtest/gtest.h>
#include <limits>

namespace tintbox::engine {
namespace {

struct ParseCase {
    const char* text;
    ColourValue expected;
};

TEST(ParseHexColour, ReadsAsTheStoredStringsAreRead) {
    const ParseCase cases[] = {
        {"#FF8000", 0xFF8000},
        {"ff8000", 0xFF8000},
        {"##00ff00", 0x00FF00},
        {"#0x336699", 0x336699},
        {"0X336699", 0x336699},
        {"#FF", 0x0000FF},
        {"#1234567", 0x1234567},
        {"#FFFFFFFF", 0xFFFFFFFF},
        {"#123456789", 0xFFFFFFFF},
        {"#FF8000zz", 0xFF8000},
        {"#00ff00#", 0x00FF00},
        {"#0xZZ", 0x0},
        {"#0x", 0x0},
        {"0", 0x0},
        {"#000000", 0x0},
        {" #FF8000", 0xFFFFFF},
        {"", 0xFFFFFF},
        {"###", 0xFFFFFF},
        {"red", 0xFFFFFF},
        {"#x12", 0xFFFFFF},
        {"#-12", 0xFFFFFF},
        {"#FFFFFE", 0xFFFFFE},
    };
    for (const ParseCase& c : cases) {
        EXPECT_EQ(parseHexColour(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(MailColour, GivesFractionsUpToAlmostWhite) {
    const std::optional<Rgba> orange = mailColour(parseHexColour("#FF8000"), 0.4);
    ASSERT_TRUE(orange);
    EXPECT_DOUBLE_EQ(orange->red, 1.0);
    EXPECT_DOUBLE_EQ(orange->green, 128 / 255.0);
    EXPECT_DOUBLE_EQ(orange->blue, 0.0);
    EXPECT_DOUBLE_EQ(orange->alpha, 0.4);

    const std::optional<Rgba> almostWhite = mailColour(0xFFFFFE, 1.0);
    ASSERT_TRUE(almostWhite);
    EXPECT_DOUBLE_EQ(almostWhite->blue, 254 / 255.0);
}

TEST(MailColour, HasNoColourAboveAlmostWhite) {
    for (const char* text : {"#FFFFFF", "", " #FF0000", "#123456789", "#1234567", "#FFFFFFFF"}) {
        EXPECT_FALSE(mailColour(parseHexColour(text), 1.0)) << '"' << text << '"';
    }
}

TEST(PaneClamp, ShowsOverlongValuesAsWhite) {
    EXPECT_EQ(paneClamp(parseHexColour("#123456789")), 0xFFFFFFu);
    EXPECT_EQ(paneClamp(parseHexColour("#1234567")), 0xFFFFFFu);
    EXPECT_EQ(paneClamp(parseHexColour("#FFFFFF")), 0xFFFFFFu);
    EXPECT_EQ(paneClamp(parseHexColour("#123456")), 0x123456u);
    EXPECT_EQ(channelsOf(0x123456), (Rgb8{0x12, 0x34, 0x56}));
}

TEST(FormatHexColour, WritesSevenUpperCaseCharacters) {
    EXPECT_EQ(formatHexColour(255, 128, 0), "#FF8000");
    EXPECT_EQ(formatHexColour(0, 0, 0), "#000000");
    EXPECT_EQ(formatHexColour(10, 171, 205), "#0AABCD");
    // Out of range channels are held in range rather than widening the string.
    EXPECT_EQ(formatHexColour(256, -1, 1000), "#FF00FF");
    EXPECT_EQ(formatHexColour(-2147483647 - 1, 2147483647, 15), "#00FF0F");
}

TEST(DisplayHexColour, ShowsTheStoredStringTidied) {
    const std::pair<const char*, const char*> cases[] = {
        {"#ff8000", "#FF8000"}, {"ff8000", "#FF8000"},    {"##ff8000##", "#FF8000"},
        {"#ab#cd#", "#AB#CD"},  {"#1234567", "#1234567"}, {"", "#"},
        {"###", "#"},           {" ab", "# AB"},          {"#straße", "#STRASSE"},
    };
    for (const auto& [stored, shown] : cases) {
        EXPECT_EQ(displayHexColour(stored), shown) << '"' << stored << '"';
    }
}

struct SwatchCase {
    Rgb8 colour;
    float opacity;
    Rgb8 blended;
    bool whiteText;
};

TEST(Swatch, BlendsWithWhiteAndPicksTheTextColour) {
    const SwatchCase cases[] = {
        {{255, 0, 0}, 0.25f, {255, 191, 191}, false},
        {{0, 0, 128}, 1.0f, {0, 0, 128}, true},
        {{0, 0, 0}, 0.0f, {255, 255, 255}, false},
        {{0, 0, 0}, 1.0f, {0, 0, 0}, true},
        {{0, 0, 0}, 0.5f, {127, 127, 127}, true}, // Y = 127, just dark enough
        {{2, 2, 2}, 0.5f, {128, 128, 128}, false},
        {{100, 200, 50}, 0.4f, {193, 233, 173}, false},
        {{0, 0, 0}, 0.3f, {178, 178, 178}, false}, // 0.7f * 255 truncates to 178
    };
    for (const SwatchCase& c : cases) {
        const Rgb8 blended = whiteBlend(c.colour, c.opacity);
        EXPECT_EQ(blended, c.blended)
            << c.colour.red << ',' << c.colour.green << ',' << c.colour.blue << " at " << c.opacity;
        EXPECT_EQ(useWhiteFont(blended), c.whiteText);
        EXPECT_EQ(useWhiteFont(c.colour.red, c.colour.green, c.colour.blue, c.opacity),
                  c.whiteText);
    }
}

TEST(Swatch, StaysDefinedForOpacitiesOutsideTheRange) {
    EXPECT_EQ(whiteBlend({0, 0, 0}, 2.0f), (Rgb8{-255, -255, -255}));
    EXPECT_EQ(whiteBlend({0, 0, 0}, 1e30f).red, std::numeric_limits<int>::min());
    EXPECT_EQ(whiteBlend({0, 0, 0}, -1e30f).red, std::numeric_limits<int>::max());
    EXPECT_EQ(whiteBlend({255, 0, 0}, std::numeric_limits<float>::quiet_NaN()).red, 0);
}

} // namespace
} // namespace tintbox::engine
