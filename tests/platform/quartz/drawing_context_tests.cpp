#include "platform/quartz/core_graphics.hpp"
#include "platform/quartz/image_context.hpp"
#include "tests/platform/quartz/pixel_matchers.hpp"

#include <gtest/gtest.h>
#include <vector>

namespace {

using quartz::Color;
using quartz::DrawingContext;
using quartz::ImageContext;
using quartz::Pixel;

constexpr Pixel kRed{255, 0, 0, 255};
constexpr Pixel kBlue{0, 0, 255, 255};
constexpr Pixel kWhite{255, 255, 255, 255};

CGGradientRef makeGradient(const std::vector<Color>& colors,
                           const std::vector<double>& locations = {}) {
    CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
    return CGGradientCreateWithColors(space, colors,
                                      locations.empty() ? nullptr : locations.data());
}

TEST(LinearGradient, TwoEvenlySpacedStopsMeetHalfwayInDeviceRGB) {
    ImageContext bitmap({100, 10}, false, 1);
    CGContextRef context = &bitmap.context();
    CGContextDrawLinearGradient(context, makeGradient({{1, 0, 0, 1}, {0, 0, 1, 1}}), {0, 0},
                                {100, 0}, 0);
    auto image = bitmap.image();
    EXPECT_THAT(image.pixelAt(0, 5), PixelNear(kRed, 3));
    EXPECT_THAT(image.pixelAt(99, 5), PixelNear(kBlue, 3));
    // Pixel 49 is sampled at 49.5 of 100: just before the middle.
    EXPECT_THAT(image.pixelAt(49, 5), PixelNear(Pixel{129, 0, 126, 255}, 2));
    EXPECT_THAT(image.pixelAt(50, 0), PixelNear(Pixel{126, 0, 129, 255}, 2));
}

// n stripes are 2n colours with stops i/n and (i+1)/n (single precision): flat bands.
TEST(LinearGradient, HardStopsMakeFlatStripes) {
    const std::vector<Color> palette = {
        {1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 1, 0, 1}, {0, 1, 1, 1}};
    const std::vector<Pixel> expected = {{255, 0, 0, 255},
                                         {0, 255, 0, 255},
                                         {0, 0, 255, 255},
                                         {255, 255, 0, 255},
                                         {0, 255, 255, 255}};
    constexpr int kHeight = 60;
    for (int n = 1; n <= 5; ++n) {
        std::vector<Color> colors;
        std::vector<double> locations;
        for (int i = 0; i < n; ++i) {
            colors.insert(colors.end(), {palette[i], palette[i]});
            locations.push_back(static_cast<float>(i) / static_cast<float>(n));
            locations.push_back(static_cast<float>(i + 1) / static_cast<float>(n));
        }
        ImageContext bitmap({4, kHeight}, false, 1);
        bitmap.context().drawLinearGradient(*makeGradient(colors, locations), {0, 0}, {0, kHeight});
        auto image = bitmap.image();
        for (int y = 0; y < kHeight; ++y) {
            int stripe = y * n / kHeight;
            EXPECT_EQ(image.pixelAt(2, y), expected[stripe]) << n << " stripes, row " << y;
        }
    }
}

TEST(LinearGradient, OptionsDecideWhatIsPaintedBeyondTheEnds) {
    struct Case {
        CGGradientDrawingOptions options;
        Pixel left, right;
    };
    const Case cases[] = {
        {0, quartz::kTransparent, quartz::kTransparent},
        {kCGGradientDrawsBeforeStartLocation, kRed, quartz::kTransparent},
        {kCGGradientDrawsAfterEndLocation, quartz::kTransparent, kBlue},
        {kCGGradientDrawsBeforeStartLocation | kCGGradientDrawsAfterEndLocation, kRed, kBlue},
    };
    auto gradient = makeGradient({{1, 0, 0, 1}, {0, 0, 1, 1}});
    for (const auto& c : cases) {
        ImageContext bitmap({100, 4}, false, 1);
        bitmap.context().drawLinearGradient(*gradient, {25, 0}, {75, 0}, c.options);
        auto image = bitmap.image();
        EXPECT_EQ(image.pixelAt(5, 2), c.left) << "options " << c.options;
        EXPECT_EQ(image.pixelAt(95, 2), c.right) << "options " << c.options;
        EXPECT_THAT(image.pixelAt(50, 2), PixelNear(Pixel{125, 0, 130, 255}, 3));
    }
}

TEST(LinearGradient, TranslucentLayersCompositeOverWhatIsThere) {
    // The brightness/saturation square: white to red across, clear to black down.
    ImageContext bitmap({100, 100}, false, 1);
    DrawingContext& context = bitmap.context();
    context.drawLinearGradient(*makeGradient({{1, 0, 0, 1}, {1, 1, 1, 1}}), {100, 0}, {0, 0});
    context.drawLinearGradient(*makeGradient({{0, 0, 0, 0}, {0, 0, 0, 1}}), {0, 0}, {0, 100});
    auto image = bitmap.image();
    EXPECT_THAT(image.pixelAt(0, 0), PixelNear(kWhite, 4));
    EXPECT_THAT(image.pixelAt(99, 0), PixelNear(kRed, 4));
    EXPECT_THAT(image.pixelAt(50, 99), PixelNear(Pixel{0, 0, 0, 255}, 4));
    EXPECT_THAT(image.pixelAt(99, 50), PixelNear(Pixel{126, 0, 0, 255}, 3));
}

TEST(DrawingContext, ClipLimitsPaintingUntilRestored) {
    ImageContext bitmap({40, 40}, false, 1);
    CGContextRef context = &bitmap.context();
    CGContextSaveGState(context);
    CGContextClipToRect(context, CGRectMake(10, 10, 20, 20));
    CGContextDrawLinearGradient(context, makeGradient({{1, 0, 0, 1}, {1, 0, 0, 1}}), {0, 0},
                                {40, 0}, 0);
    EXPECT_EQ(context->clipBoundingBox(), CGRectMake(10, 10, 20, 20));
    CGContextRestoreGState(context);
    context->fillRect(CGRectMake(0, 0, 40, 5), quartz::Color{0, 0, 1, 1});
    auto image = bitmap.image();
    EXPECT_EQ(image.pixelAt(10, 10), kRed);
    EXPECT_EQ(image.pixelAt(29, 29), kRed);
    EXPECT_EQ(image.pixelAt(9, 20), quartz::kTransparent);
    EXPECT_EQ(image.pixelAt(30, 20), quartz::kTransparent);
    EXPECT_EQ(image.pixelAt(20, 35), quartz::kTransparent);
    EXPECT_EQ(image.pixelAt(0, 0), kBlue) << "the clip ends with the restore";
}

TEST(DrawingContext, TranslationIsPartOfTheSavedState) {
    ImageContext bitmap({20, 20}, false, 1);
    DrawingContext& context = bitmap.context();
    {
        quartz::SavedState saved(context);
        context.translateBy(10, 10);
        context.fillRect(CGRectMake(0, 0, 2, 2), Color{1, 0, 0, 1});
        context.saveGState(); // left open on purpose: the guard closes it too
        context.scaleBy(2, 2);
    }
    EXPECT_EQ(context.depth(), 0u);
    context.fillRect(CGRectMake(0, 0, 2, 2), Color{0, 0, 1, 1});
    auto image = bitmap.image();
    EXPECT_EQ(image.pixelAt(11, 11), kRed);
    EXPECT_EQ(image.pixelAt(1, 1), kBlue);
    EXPECT_EQ(image.pixelAt(3, 3), quartz::kTransparent) << "the scale did not survive";
}

TEST(DrawingContext, UnbalancedLevelsAreProgrammingErrors) {
    ImageContext bitmap({4, 4}, false, 1);
    DrawingContext& context = bitmap.context();
    EXPECT_THROW(context.restoreGState(), std::logic_error);
    EXPECT_THROW(context.endTransparencyLayer(1), std::logic_error);
    context.beginTransparencyLayer();
    EXPECT_THROW(context.restoreGState(), std::logic_error);
    context.saveGState();
    EXPECT_THROW(context.endTransparencyLayer(1), std::logic_error);
    context.restoreGState();
    context.endTransparencyLayer(1);
    EXPECT_EQ(context.depth(), 0u);
}

TEST(DrawingContext, TransparencyLayerCompositesOverlapsOnce) {
    ImageContext bitmap({30, 10}, true, 1);
    DrawingContext& context = bitmap.context();
    context.fillRect(CGRectMake(0, 0, 30, 10), Color::white());
    {
        quartz::TransparencyLayer layer(context, 0.5);
        context.fillRect(CGRectMake(0, 0, 20, 10), Color{1, 0, 0, 1});
        context.fillRect(CGRectMake(10, 0, 20, 10), Color{1, 0, 0, 1});
    }
    auto image = bitmap.image();
    const Pixel halfRedOnWhite{255, 127, 127, 255};
    EXPECT_THAT(image.pixelAt(5, 5), PixelNear(halfRedOnWhite, 1));
    EXPECT_EQ(image.pixelAt(15, 5), image.pixelAt(5, 5)) << "the overlap must not be darker";
    EXPECT_EQ(image.pixelAt(25, 5), image.pixelAt(5, 5));
}

TEST(DrawingContext, RoundedClipCutsTheCorners) {
    ImageContext bitmap({20, 20}, false, 1);
    DrawingContext& context = bitmap.context();
    context.clipToRoundedRect(CGRectMake(0, 0, 20, 20), 10); // a circle
    context.fillRect(CGRectMake(0, 0, 20, 20), Color{1, 0, 0, 1});
    auto image = bitmap.image();
    for (auto [x, y] : {std::pair{0, 0}, {19, 0}, {0, 19}, {19, 19}, {1, 1}})
        EXPECT_EQ(image.pixelAt(x, y), quartz::kTransparent) << x << ", " << y;
    EXPECT_EQ(image.pixelAt(10, 10), kRed);
    EXPECT_EQ(image.pixelAt(10, 2), kRed);
    EXPECT_EQ(image.pixelAt(2, 10), kRed);
}

TEST(DrawingContext, BorderLiesInsideTheRectangle) {
    ImageContext bitmap({20, 20}, false, 1);
    bitmap.context().drawBorder(CGRectMake(2, 2, 16, 16), 2, Color{0, 0, 1, 1});
    auto image = bitmap.image();
    EXPECT_EQ(image.pixelAt(1, 10), quartz::kTransparent);
    EXPECT_EQ(image.pixelAt(2, 10), kBlue);
    EXPECT_EQ(image.pixelAt(3, 3), kBlue);
    EXPECT_EQ(image.pixelAt(17, 17), kBlue);
    EXPECT_EQ(image.pixelAt(4, 10), quartz::kTransparent);
    EXPECT_EQ(image.pixelAt(10, 10), quartz::kTransparent);
    EXPECT_EQ(image.pixelAt(18, 10), quartz::kTransparent);
}

TEST(DrawingContext, DrawsImagesScaledIntoTheRectangle) {
    ImageContext source({2, 2}, false, 1);
    source.context().fillRect(CGRectMake(0, 0, 1, 1), Color{1, 0, 0, 1});
    source.context().fillRect(CGRectMake(1, 0, 1, 1), Color{0, 1, 0, 1});
    source.context().fillRect(CGRectMake(0, 1, 1, 1), Color{0, 0, 1, 1});
    source.context().fillRect(CGRectMake(1, 1, 1, 1), Color::white());
    const quartz::Image quadrants = source.image();

    ImageContext bitmap({30, 30}, false, 1);
    bitmap.context().drawImage(quadrants, CGRectMake(5, 5, 20, 20));
    auto image = bitmap.image();
    EXPECT_THAT(image.pixelAt(6, 6), PixelNear(kRed, 2));
    EXPECT_THAT(image.pixelAt(23, 6), PixelNear(Pixel{0, 255, 0, 255}, 2));
    EXPECT_THAT(image.pixelAt(6, 23), PixelNear(kBlue, 2));
    EXPECT_THAT(image.pixelAt(23, 23), PixelNear(kWhite, 2));
    EXPECT_EQ(image.pixelAt(4, 10), quartz::kTransparent);
    EXPECT_EQ(image.pixelAt(25, 10), quartz::kTransparent);
}

TEST(DrawingContext, ShadowIsABlurredOffsetSilhouette) {
    ImageContext bitmap({60, 60}, false, 1);
    quartz::Shadow shadow{.color = Color::black(), .opacity = 1.0, .offset = {5, 5}, .radius = 4};
    bitmap.context().drawShadow(CGRectMake(15, 15, 20, 20), 0, shadow);
    auto image = bitmap.image();
    EXPECT_GT(image.pixelAt(30, 30).alpha, 240) << "inside the offset silhouette";
    EXPECT_EQ(image.pixelAt(30, 30).red, 0);
    int edge = image.pixelAt(41, 30).alpha; // one point beyond the offset silhouette
    EXPECT_GT(edge, 0);
    EXPECT_LT(edge, 200);
    EXPECT_EQ(image.pixelAt(5, 5).alpha, 0);
    EXPECT_EQ(image.pixelAt(55, 30).alpha, 0);
}

} // namespace
