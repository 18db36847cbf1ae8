#include "platform/quartz/image_context.hpp"
#include "platform/quartz/text.hpp"
#include "platform/quartz/ui_font.hpp"

#include <gtest/gtest.h>
#include <thread>

namespace {

using quartz::Font;
using quartz::measureText;

const Font kBody{17};

TEST(MeasureText, OneLineOfBodyTextHasFontMetrics) {
    CGSize size = measureText("Brightness:", kBody);
    EXPECT_GT(size.width, 60);
    EXPECT_LT(size.width, 120);
    // A line of the UI face is one to 1.2 em high.
    EXPECT_GE(size.height, 17 * 0.98);
    EXPECT_LE(size.height, 17 * 1.2);
    EXPECT_EQ(measureText("", kBody), CGSizeZero);
}

// Labels are sized for the platform's system font; the UI face has its metrics, so they fit:
// the colour picker's 140-point label takes its longest reading.
TEST(MeasureText, TextsSizedForTheSystemFontFit) {
    EXPECT_LE(measureText("Brightness: 100%", kBody).width, 140);
    EXPECT_LE(measureText("100% :Saturation", kBody).width, 140);
}

TEST(MeasureText, EmojiAndChineseJapaneseKoreanTextFindFallbackFonts) {
    for (const char* text :
         {"Photos \U0001F4F7 \u2764\uFE0F", "\u4F1A\u8BAE\u8BB0\u5F55",
          "\u4F1A\u8B70\u306E\u30E1\u30E2", "\uD68C\uC758 \uBA54\uBAA8", "Gr\u00FC\u00DFe"})
        EXPECT_EQ(quartz::missingGlyphCount(text, kBody), 0) << text;
    EXPECT_GT(quartz::missingGlyphCount("\U0010FFFD", kBody), 0); // a private-use character
}

TEST(MeasureText, IsStableAndIndependentOfThread) {
    CGSize first = measureText("Saturation: 100%", kBody);
    EXPECT_EQ(measureText("Saturation: 100%", kBody), first);
    CGSize other;
    std::thread([&] { other = measureText("Saturation: 100%", kBody); }).join();
    EXPECT_EQ(other, first) << "each thread's font map measures alike";
}

TEST(MeasureText, GrowsWithTextAndWeightAndScalesWithSize) {
    CGSize hue = measureText("Hue:", kBody);
    CGSize longer = measureText("Hue: 360°", kBody);
    EXPECT_GT(longer.width, hue.width);
    EXPECT_EQ(longer.height, hue.height);
    EXPECT_GT(measureText("Hue:", {17, true}).width, hue.width);
    // No hinting: a font twice as large measures twice as wide.
    EXPECT_NEAR(measureText("Hue:", {34}).width, 2 * hue.width, 0.01);
}

TEST(MeasureText, WrapsWithinAWidthAndLimitsLines) {
    const char* text = "Please enter a Hue value between 0° and 360° current value is: 180°";
    CGSize oneLine = measureText(text, kBody);
    CGSize wrapped = measureText(text, kBody, 120);
    EXPECT_LE(wrapped.width, 120);
    EXPECT_GE(wrapped.height, 3 * oneLine.height);
    CGSize twoLines = measureText(text, kBody, 120, 2);
    EXPECT_NEAR(twoLines.height, 2 * oneLine.height, 0.5);
    EXPECT_LE(twoLines.width, 120);
    EXPECT_EQ(measureText("a\nb", kBody).height, 2 * measureText("a", kBody).height)
        << "newlines break lines even without a width";
}

// Columns and rows that hold any ink.
struct InkBox {
    int minX{1 << 20}, maxX{-1}, minY{1 << 20}, maxY{-1};
};

InkBox inkOf(const quartz::Image& image) {
    InkBox box;
    for (int y = 0; y < image.pixelHeight(); ++y)
        for (int x = 0; x < image.pixelWidth(); ++x)
            if (image.pixelAt(x, y).alpha > 0) {
                box.minX = std::min(box.minX, x);
                box.maxX = std::max(box.maxX, x);
                box.minY = std::min(box.minY, y);
                box.maxY = std::max(box.maxY, y);
            }
    return box;
}

TEST(DrawText, AlignsWithinTheRectangle) {
    struct Case {
        quartz::TextAlignment alignment;
        int minX, maxX; // where the ink must lie
    };
    const Case cases[] = {
        {quartz::TextAlignment::Left, 0, 60},
        {quartz::TextAlignment::Center, 60, 140},
        {quartz::TextAlignment::Right, 140, 200},
    };
    for (const auto& c : cases) {
        quartz::ImageContext bitmap({200, 60}, false, 1);
        quartz::TextStyle style{.font = kBody, .color = {0, 0, 1, 1}, .alignment = c.alignment};
        bitmap.context().drawText("Hue:", CGRectMake(0, 0, 200, 60), style);
        InkBox ink = inkOf(bitmap.image());
        EXPECT_GE(ink.minX, c.minX) << static_cast<int>(c.alignment);
        EXPECT_LE(ink.maxX, c.maxX) << static_cast<int>(c.alignment);
        // Centred vertically: the glyphs sit around the middle row.
        EXPECT_GT(ink.minY, 15);
        EXPECT_LT(ink.maxY, 45);
    }
}

TEST(DrawText, OneLineEllipsizesInsteadOfWrapping) {
    quartz::ImageContext bitmap({80, 100}, false, 1);
    quartz::TextStyle style{
        .font = kBody, .verticalAlignment = quartz::VerticalAlignment::Top, .numberOfLines = 1};
    bitmap.context().drawText("Brightness Saturation Hue", CGRectMake(0, 0, 80, 100), style);
    InkBox ink = inkOf(bitmap.image());
    EXPECT_LE(ink.maxX, 80);
    EXPECT_LT(ink.maxY, measureText("B", kBody).height) << "only one line is drawn";
}

} // namespace
