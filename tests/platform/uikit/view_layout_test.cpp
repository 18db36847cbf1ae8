#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIView.hpp"

#include <gtest/gtest.h>

namespace {

struct AutoresizingCase {
    const char* name;
    UIViewAutoresizing mask;
    CGRect before; // in a 100 x 50 superview
    CGRect after;  // once the superview is 200 x 80
};

class AutoresizingTest : public testing::TestWithParam<AutoresizingCase> {};

TEST_P(AutoresizingTest, SubviewFollowsTheSuperviewsNewSize) {
    const AutoresizingCase& c = GetParam();
    auto parent = UIView::withFrame(CGRectMake(0, 0, 100, 50));
    auto child = UIView::withFrame(c.before);
    child->setAutoresizingMask(c.mask);
    parent->addSubview(child.get());
    parent->setFrame(CGRectMake(5, 5, 200, 80));
    EXPECT_EQ(child->frame(), c.after);
}

constexpr UIViewAutoresizing kLeft = UIViewAutoresizingFlexibleLeftMargin;
constexpr UIViewAutoresizing kWidth = UIViewAutoresizingFlexibleWidth;
constexpr UIViewAutoresizing kRight = UIViewAutoresizingFlexibleRightMargin;
constexpr UIViewAutoresizing kTop = UIViewAutoresizingFlexibleTopMargin;
constexpr UIViewAutoresizing kHeight = UIViewAutoresizingFlexibleHeight;

INSTANTIATE_TEST_SUITE_P(
    Masks, AutoresizingTest,
    testing::Values(
        AutoresizingCase{"None", UIViewAutoresizingNone, CGRectMake(10, 10, 20, 10),
                         CGRectMake(10, 10, 20, 10)},
        AutoresizingCase{"FlexibleWidth", kWidth, CGRectMake(10, 0, 80, 10),
                         CGRectMake(10, 0, 180, 10)},
        AutoresizingCase{"FlexibleLeftMarginKeepsRightMargin", kLeft, CGRectMake(60, 0, 30, 10),
                         CGRectMake(160, 0, 30, 10)},
        // Both margins share the change in proportion: 10 and 70 of 80 get 12.5 and 87.5.
        AutoresizingCase{"BothMargins", kLeft | kRight, CGRectMake(10, 0, 20, 10),
                         CGRectMake(22.5, 0, 20, 10)},
        AutoresizingCase{"WidthAndHeight", kWidth | kHeight, CGRectMake(0, 0, 100, 50),
                         CGRectMake(0, 0, 200, 80)},
        AutoresizingCase{"FlexibleTopMargin", kTop, CGRectMake(0, 30, 10, 10),
                         CGRectMake(0, 60, 10, 10)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ViewLayoutTest, AutoresizingCascadesAndCanBeTurnedOff) {
    auto parent = UIView::withFrame(CGRectMake(0, 0, 100, 50));
    auto child = UIView::withFrame(CGRectMake(0, 0, 100, 50));
    auto grandchild = UIView::withFrame(CGRectMake(0, 0, 100, 10));
    child->setAutoresizingMask(kWidth);
    grandchild->setAutoresizingMask(kWidth);
    parent->addSubview(child.get());
    child->addSubview(grandchild.get());
    parent->setFrame(CGRectMake(0, 0, 150, 50));
    EXPECT_EQ(grandchild->frame().size.width, 150);

    parent->setAutoresizesSubviews(false);
    parent->setFrame(CGRectMake(0, 0, 300, 50));
    EXPECT_EQ(child->frame().size.width, 150);
}

int hookedLayouts = 0;
void (*previousLayoutSubviews)(id, SEL);
void countingLayoutSubviews(id self, SEL cmd) {
    previousLayoutSubviews(self, cmd);
    ++hookedLayouts;
}

TEST(ViewLayoutTest, LayoutIfNeededReachesAHookedLayoutSubviewsOncePerNeed) {
    auto parent = UIView::withFrame(CGRectMake(0, 0, 100, 50));
    auto child = UIView::withFrame(CGRectMake(0, 0, 10, 10));
    parent->addSubview(child.get());
    MSHookMessageEx(objc::classOf<UIView>(), sel_registerName("layoutSubviews"),
                    &countingLayoutSubviews, &previousLayoutSubviews);
    ASSERT_NE(previousLayoutSubviews, nullptr);

    parent->layoutIfNeeded();
    EXPECT_EQ(hookedLayouts, 2); // parent and child, both new
    parent->layoutIfNeeded();
    EXPECT_EQ(hookedLayouts, 2); // nothing needs layout any more

    parent->setFrame(CGRectMake(0, 0, 120, 50)); // a new size marks the view
    parent->layoutIfNeeded();
    EXPECT_EQ(hookedLayouts, 3);
    parent->setFrame(CGRectMake(7, 7, 120, 50)); // moving alone does not
    parent->layoutIfNeeded();
    EXPECT_EQ(hookedLayouts, 3);

    child->setNeedsLayout();
    objc::msgSend<void()>(parent, sel_registerName("layoutIfNeeded"));
    EXPECT_EQ(hookedLayouts, 4);

    child->setFrame(CGRectMake(0, 0, 20, 10)); // a subview's new size: it and its superview
    parent->layoutIfNeeded();
    EXPECT_EQ(hookedLayouts, 6);
    MSHookMessageEx(objc::classOf<UIView>(), sel_registerName("layoutSubviews"),
                    previousLayoutSubviews, nullptr);
}

TEST(ViewLayoutTest, LabelSizeToFitGrowsWithItsText) {
    auto label = UIView::withFrame<UILabel>(CGRectMake(3, 4, 0, 0));
    label->setText("Hue");
    label->sizeToFit();
    const CGRect shortText = label->frame();
    EXPECT_EQ(shortText.origin, CGPointMake(3, 4));
    EXPECT_GT(shortText.size.width, 0);
    EXPECT_GT(shortText.size.height, 10);

    label->setText("Hue, saturation and brightness");
    objc::msgSend<void()>(label, sel_registerName("sizeToFit"));
    EXPECT_GT(label->frame().size.width, 3 * shortText.size.width);
    EXPECT_EQ(label->frame().size.height, shortText.size.height);

    label->setNumberOfLines(0); // wraps within the width it has
    CGSize wrapped = label->sizeThatFits(CGSizeMake(60, 0));
    EXPECT_LE(wrapped.width, 60);
    EXPECT_GT(wrapped.height, 2 * shortText.size.height);
}

TEST(ViewLayoutTest, ConvertsPointsAndFindsTheFrontmostHit) {
    auto root = UIView::withFrame(CGRectMake(0, 0, 100, 100));
    auto panel = UIView::withFrame(CGRectMake(10, 20, 50, 50));
    auto button = UIView::withFrame(CGRectMake(5, 5, 10, 10));
    auto cover = UIView::withFrame(CGRectMake(0, 0, 50, 50));
    root->addSubview(panel.get());
    panel->addSubview(button.get());
    EXPECT_EQ(button->convertPointToView({1, 2}, root.get()), CGPointMake(16, 27));
    EXPECT_EQ(root->convertPointToView({16, 27}, button.get()), CGPointMake(1, 2));
    EXPECT_EQ(button->convertRectToView(CGRectMake(0, 0, 4, 4), panel.get()),
              CGRectMake(5, 5, 4, 4));

    EXPECT_EQ(root->hitTest({16, 27}, nullptr), button.get());
    EXPECT_EQ(root->hitTest({90, 90}, nullptr), root.get());
    EXPECT_EQ(root->hitTest({200, 5}, nullptr), nullptr);
    panel->addSubview(cover.get()); // in front of the button
    EXPECT_EQ(root->hitTest({16, 27}, nullptr), cover.get());
    cover->setHidden(true);
    EXPECT_EQ(root->hitTest({16, 27}, nullptr), button.get());
}

} // namespace
