#include "platform/quartz/image_context.hpp"
#include "platform/quartz/ui_graphics.hpp"

#include <gtest/gtest.h>

namespace {

TEST(UIGraphics, ImageContextsNestPerThread) {
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
    UIGraphicsBeginImageContextWithOptions({16, 48}, false, 2);
    CGContextRef outer = UIGraphicsGetCurrentContext();
    ASSERT_NE(outer, nullptr);
    outer->fillRect(CGRectMake(0, 0, 16, 48), quartz::Color::white());

    UIGraphicsBeginImageContextWithOptions({4, 4}, true, 0);
    EXPECT_NE(UIGraphicsGetCurrentContext(), outer);
    auto inner = UIGraphicsGetImageFromCurrentImageContext();
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->scale(), 1) << "scale 0 is the screen's scale";
    UIGraphicsEndImageContext();

    EXPECT_EQ(UIGraphicsGetCurrentContext(), outer);
    auto marker = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    ASSERT_TRUE(marker);
    EXPECT_EQ(marker->pixelWidth(), 32);
    EXPECT_EQ(marker->size(), CGSizeMake(16, 48));
    EXPECT_EQ(marker->pixelAt(31, 95).alpha, 255);
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
    EXPECT_THROW(UIGraphicsEndImageContext(), std::logic_error);
}

TEST(UIGraphics, PushedContextsAreCurrentButNotImageContexts) {
    quartz::ImageContext bitmap({4, 4}, false, 1);
    {
        quartz::CurrentContext current(bitmap.context());
        EXPECT_EQ(UIGraphicsGetCurrentContext(), &bitmap.context());
        EXPECT_FALSE(UIGraphicsGetImageFromCurrentImageContext());
        EXPECT_THROW(UIGraphicsEndImageContext(), std::logic_error);
        UIGraphicsBeginImageContext({2, 2}); // left open: the scope takes it along
    }
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
    EXPECT_THROW(UIGraphicsPopContext(), std::logic_error);
}

} // namespace
