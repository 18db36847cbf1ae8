#include "platform/quartz/geometry.hpp"

#include <gtest/gtest.h>

namespace {

struct ContainsCase {
    CGPoint point;
    bool inside{false};
};

TEST(Geometry, ContainsPointKeepsRightAndBottomEdgesOutside) {
    const CGRect rect = CGRectMake(10, 20, 30, 40);
    const ContainsCase cases[] = {
        {{10, 20}, true},  {{39.999, 59.999}, true}, {{40, 30}, false},
        {{20, 60}, false}, {{9.999, 30}, false},     {{25, 19.999}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CGRectContainsPoint(rect, c.point), c.inside) << c.point.x << ", " << c.point.y;
    }
    EXPECT_FALSE(CGRectZero.contains(CGPointZero)) << "an empty rectangle contains nothing";
}

TEST(Geometry, NegativeSizesReadAsTheStandardizedRectangle) {
    const CGRect flipped = CGRectMake(40, 60, -30, -40);
    EXPECT_EQ(flipped.standardized(), CGRectMake(10, 20, 30, 40));
    EXPECT_EQ(CGRectGetMinX(flipped), 10);
    EXPECT_EQ(CGRectGetMaxY(flipped), 60);
    EXPECT_EQ(CGRectGetWidth(flipped), 30);
    EXPECT_TRUE(flipped.contains({10, 20}));
}

TEST(Geometry, IntersectionNeedsSharedArea) {
    const CGRect a = CGRectMake(0, 0, 10, 10);
    EXPECT_TRUE(CGRectIntersectsRect(a, CGRectMake(9, 9, 5, 5)));
    EXPECT_EQ(CGRectIntersection(a, CGRectMake(5, -5, 10, 10)), CGRectMake(5, 0, 5, 5));
    EXPECT_FALSE(CGRectIntersectsRect(a, CGRectMake(10, 0, 5, 5))) << "touching edges only";
    EXPECT_EQ(CGRectIntersection(a, CGRectMake(20, 20, 5, 5)), CGRectZero);
}

TEST(Geometry, InsetOffsetAndEdgeInsets) {
    const CGRect rect = CGRectMake(10, 10, 100, 40);
    EXPECT_EQ(rect.insetBy(5, 2), CGRectMake(15, 12, 90, 36));
    EXPECT_EQ(CGRectInset(rect, -5, 0), CGRectMake(5, 10, 110, 40));
    EXPECT_EQ(CGRectOffset(rect, 3, -4), CGRectMake(13, 6, 100, 40));
    EXPECT_EQ(UIEdgeInsetsInsetRect(rect, UIEdgeInsetsMake(1, 2, 3, 4)),
              CGRectMake(12, 11, 94, 36));
    // Shrinking past nothing keeps the centre instead of producing a negative size.
    const CGRect collapsed = rect.insetBy(60, 0);
    EXPECT_EQ(collapsed.size, CGSizeMake(0, 40));
    EXPECT_EQ(collapsed.midX(), rect.midX());
}

} // namespace
