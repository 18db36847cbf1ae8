#include "platform/quartz/CAGradientLayer.hpp"
#include "platform/quartz/ui_graphics.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/uikit/view_renderer.hpp"

#include <gtest/gtest.h>

namespace {

constexpr quartz::Pixel kRed{255, 0, 0, 255};
constexpr quartz::Pixel kBlue{0, 0, 255, 255};
constexpr quartz::Pixel kWhite{255, 255, 255, 255};

objc::Ref<UIView> solidView(CGRect frame, CGColorRef color) {
    auto view = UIView::withFrame(frame);
    view->setBackgroundColor(UIColor::colorWithCGColor(color).get());
    return view;
}

objc::Ref<UIView> whiteCanvas(CGSize size) {
    return solidView({{0, 0}, size}, quartz::Color::white());
}

quartz::Pixel pixel(UIView& root, int x, int y) {
    return uikit::renderView(root, 1).pixelAt(x, y);
}

void expectNear(quartz::Pixel actual, quartz::Pixel expected, int tolerance = 2) {
    EXPECT_NEAR(actual.red, expected.red, tolerance);
    EXPECT_NEAR(actual.green, expected.green, tolerance);
    EXPECT_NEAR(actual.blue, expected.blue, tolerance);
    EXPECT_NEAR(actual.alpha, expected.alpha, tolerance);
}

TEST(ViewRendererTest, HigherZPositionIsDrawnOnTopThoughAddedFirst) {
    auto root = whiteCanvas({20, 10});
    auto raised = solidView(CGRectMake(0, 0, 20, 10), quartz::Color{1, 0, 0, 1});
    auto later = solidView(CGRectMake(10, 0, 10, 10), quartz::Color{0, 0, 1, 1});
    raised->layer()->setZPosition(1);
    root->addSubview(raised.get());
    root->addSubview(later.get());
    EXPECT_EQ(pixel(*root, 15, 5), kRed);

    raised->layer()->setZPosition(0); // equal z: subview order decides
    EXPECT_EQ(pixel(*root, 15, 5), kBlue);
}

class StripedView : public UIView {};

TEST(ViewRendererTest, GradientStopsAtRepeatedLocationsMakeHardStripes) {
    UIView::registerRuntimeClass();
    objc::ClassBuilder<StripedView, UIView>("TestStripedView")
        .classMethod(
            "layerClass", +[](Class, SEL) { return objc_getClass("CAGradientLayer"); });
    auto root = whiteCanvas({10, 20});
    auto band = UIView::withFrame<StripedView>(CGRectMake(0, 0, 10, 20));
    auto* gradient = dynamic_cast<CAGradientLayer*>(band->layer());
    ASSERT_NE(gradient, nullptr);
    const quartz::Color red{1, 0, 0, 1}, blue{0, 0, 1, 1};
    gradient->setColors({red, red, blue, blue});
    gradient->setLocations({0, 0.5, 0.5, 1});
    root->addSubview(band.get());

    quartz::Image picture = uikit::renderView(*root, 1);
    for (int y : {0, 5, 9})
        expectNear(picture.pixelAt(5, y), kRed);
    for (int y : {10, 15, 19})
        expectNear(picture.pixelAt(5, y), kBlue);

    // Without locations the colours spread evenly: the middle is a blend of red and blue.
    gradient->setLocations({});
    quartz::Pixel middle = uikit::renderView(*root, 1).pixelAt(5, 10);
    EXPECT_GT(middle.red, 40);
    EXPECT_GT(middle.blue, 40);
}

TEST(ViewRendererTest, AlphaCompositesAViewAndItsSubviewsAsOneGroup) {
    auto root = whiteCanvas({30, 10});
    auto group = UIView::withFrame(CGRectMake(0, 0, 30, 10));
    group->setAlpha(0.5);
    auto left = solidView(CGRectMake(0, 0, 20, 10), quartz::Color{1, 0, 0, 1});
    auto right = solidView(CGRectMake(10, 0, 20, 10), quartz::Color{1, 0, 0, 1});
    group->addSubview(left.get());
    group->addSubview(right.get());
    root->addSubview(group.get());

    quartz::Image picture = uikit::renderView(*root, 1);
    // Half red over white, the same where the two subviews overlap as where they do not.
    expectNear(picture.pixelAt(5, 5), {255, 128, 128, 255});
    expectNear(picture.pixelAt(15, 5), picture.pixelAt(5, 5), 0);
}

TEST(ViewRendererTest, HiddenViewsAndTheirSubviewsAreNotDrawn) {
    auto root = whiteCanvas({10, 10});
    auto parent = solidView(CGRectMake(0, 0, 5, 10), quartz::Color{1, 0, 0, 1});
    auto child = solidView(CGRectMake(5, 0, 5, 10), quartz::Color{0, 0, 1, 1});
    root->addSubview(parent.get());
    parent->addSubview(child.get());
    EXPECT_EQ(pixel(*root, 2, 5), kRed);
    EXPECT_EQ(pixel(*root, 7, 5), kBlue); // no clipping: the child shows outside its parent

    parent->setClipsToBounds(true);
    EXPECT_EQ(pixel(*root, 7, 5), kWhite);

    parent->setClipsToBounds(false);
    parent->setHidden(true);
    EXPECT_EQ(pixel(*root, 2, 5), kWhite);
    EXPECT_EQ(pixel(*root, 7, 5), kWhite);
}

// A view that paints its own content through the current context, as drawRect: bodies do.
class PaintedView : public UIView {
public:
    void drawRect(CGRect rect) {
        UIGraphicsGetCurrentContext()->fillRect(rect.insetBy(2, 2), quartz::Color{0, 0, 1, 1});
    }
};

TEST(ViewRendererTest, DrawRectRunsWithTheViewsContextCurrent) {
    UIView::registerRuntimeClass();
    objc::ClassBuilder<PaintedView, UIView>("TestPaintedView")
        .method<&PaintedView::drawRect>("drawRect:");
    auto root = whiteCanvas({20, 10});
    auto painted = UIView::withFrame<PaintedView>(CGRectMake(10, 0, 10, 10));
    root->addSubview(painted.get());
    quartz::Image picture = uikit::renderView(*root, 2);
    EXPECT_EQ(picture.pixelWidth(), 40);
    EXPECT_EQ(picture.pixelAt(2 * 15, 2 * 5), kBlue);
    EXPECT_EQ(picture.pixelAt(2 * 11, 2 * 5), kWhite); // inside the inset margin
    EXPECT_EQ(picture.pixelAt(2 * 5, 2 * 5), kWhite);
}

TEST(ViewRendererTest, BorderAndCornerRadius) {
    auto root = whiteCanvas({20, 20});
    auto box = solidView(CGRectMake(0, 0, 20, 20), quartz::Color{1, 0, 0, 1});
    box->layer()->setCornerRadius(8);
    box->layer()->setBorderWidth(2);
    box->layer()->setBorderColor(quartz::Color{0, 0, 1, 1});
    root->addSubview(box.get());
    quartz::Image picture = uikit::renderView(*root, 1);
    EXPECT_EQ(picture.pixelAt(0, 0), kWhite); // outside the rounded corner
    EXPECT_EQ(picture.pixelAt(10, 0), kBlue);
    EXPECT_EQ(picture.pixelAt(10, 10), kRed);
}

TEST(ViewRendererTest, ShadowFallsByItsOffsetBelowTheLayer) {
    auto root = whiteCanvas({20, 30});
    auto box = solidView(CGRectMake(5, 5, 10, 10), quartz::Color{1, 0, 0, 1});
    box->layer()->setShadowOpacity(1);
    box->layer()->setShadowRadius(0);
    box->layer()->setShadowOffset(CGSizeMake(0, 6));
    root->addSubview(box.get());
    quartz::Image picture = uikit::renderView(*root, 1);
    EXPECT_EQ(picture.pixelAt(10, 10), kRed);
    EXPECT_EQ(picture.pixelAt(10, 18), (quartz::Pixel{0, 0, 0, 255}));
    EXPECT_EQ(picture.pixelAt(10, 2), kWhite);
    EXPECT_EQ(picture.pixelAt(10, 23), kWhite);
}

// Counts pixels darker than mid-grey in a column range of the picture.
int darkPixels(const quartz::Image& picture, int fromX, int toX) {
    int count = 0;
    for (int y = 0; y < picture.pixelHeight(); ++y)
        for (int x = fromX; x < toX; ++x)
            count += picture.pixelAt(x, y).red < 128;
    return count;
}

TEST(ViewRendererTest, LabelsDrawTheirTextWithTheirAlignment) {
    auto root = whiteCanvas({200, 30});
    auto label = UIView::withFrame<UILabel>(CGRectMake(0, 0, 200, 30));
    label->setText("Mail");
    root->addSubview(label.get());
    quartz::Image left = uikit::renderView(*root, 1);
    EXPECT_GT(darkPixels(left, 0, 100), 20);
    EXPECT_EQ(darkPixels(left, 100, 200), 0);

    label->setTextAlignment(NSTextAlignmentRight);
    quartz::Image right = uikit::renderView(*root, 1);
    EXPECT_EQ(darkPixels(right, 0, 100), 0);
    EXPECT_GT(darkPixels(right, 100, 200), 20);
}

} // namespace
