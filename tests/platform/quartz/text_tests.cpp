#include "platform/quartz/image_context.hpp"
#include "platform/quartz/text.hpp"

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
    // DejaVu Sans's line is about 1.16 em.
    EXPECT_NEAR(size.height, 17 * 1.164, 1.0);
    EXPECT_EQ(measureText("", kBody), CGSizeZero);
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
