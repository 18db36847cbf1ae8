#include "platform/quartz/image_context.hpp"
#include "platform/quartz/ui_graphics.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/view_renderer.hpp"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

TEST(UIColorTest, HueRoundTripAndEquality) {
    auto color = objc::msgSendClass<objc::Ref<NSObject>(double, double, double, double)>(
        objc::classOf<UIColor>(), sel_registerName("colorWithHue:saturation:brightness:alpha:"),
        0.6, 0.5, 0.8, 0.9);
    double h = 0, s = 0, b = 0, a = 0;
    ASSERT_TRUE(objc::msgSend<bool(double*, double*, double*, double*)>(
        color, sel_registerName("getHue:saturation:brightness:alpha:"), &h, &s, &b, &a));
    EXPECT_NEAR(h, 0.6, 1e-9);
    EXPECT_NEAR(s, 0.5, 1e-9);
    EXPECT_NEAR(b, 0.8, 1e-9);
    EXPECT_EQ(a, 0.9);

    double red = -1;
    UIColor::colorWithWhite(0.5, 1)->getRed(&red, nullptr, nullptr, nullptr);
    EXPECT_EQ(red, 0.5);
    EXPECT_TRUE(UIColor::whiteColor()->isEqual(UIColor::colorWithRed(1, 1, 1, 1).get()));
    EXPECT_FALSE(UIColor::clearColor()->isEqual(UIColor::blackColor().get()));
    EXPECT_FALSE(UIColor::clearColor()->isEqual(nullptr));
}

TEST(UIColorTest, SetFillChoosesWhatUIRectFillPaintsInTheCurrentContext) {
    quartz::ImageContext bitmap({4, 1}, false, 1);
    {
        quartz::CurrentContext current(bitmap.context());
        UIRectFill(CGRectMake(0, 0, 1, 1)); // black until a colour is chosen
        objc::msgSend<void()>(UIColor::blueColor(), sel_registerName("setFill"));
        UIRectFill(CGRectMake(2, 0, 2, 1));
    }
    quartz::Image picture = bitmap.image();
    EXPECT_EQ(picture.pixelAt(0, 0), (quartz::Pixel{0, 0, 0, 255}));
    EXPECT_EQ(picture.pixelAt(1, 0).alpha, 0);
    EXPECT_EQ(picture.pixelAt(3, 0), (quartz::Pixel{0, 0, 255, 255}));
}

TEST(UIImageTest, ReadsPNGWithTheScaleOfItsNameAndIsNilWhenMissing) {
    const auto folder = std::filesystem::path(testing::TempDir()) / "uikit_image_test";
    std::filesystem::create_directories(folder);
    auto source = UIView::withFrame(CGRectMake(0, 0, 8, 4));
    source->setBackgroundColor(UIColor::colorWithRed(0, 1, 0, 1).get());
    uikit::writeViewPNG(*source, folder / "marker@2x.png", 2);

    auto image = UIImage::imageWithContentsOfFile((folder / "marker@2x.png").string());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), CGSizeMake(8, 4));
    EXPECT_EQ(image->scale(), 2);
    EXPECT_FALSE(UIImage::imageWithContentsOfFile((folder / "missing.png").string()));
    auto named = UIImage::imageNamed((folder / "marker").string()); // finds marker@2x.png
    ASSERT_TRUE(named);
    EXPECT_EQ(named->scale(), 2);

    auto view = UIImageView::withImage(image.get());
    EXPECT_EQ(view->frame(), CGRectMake(0, 0, 8, 4));
    EXPECT_EQ(uikit::renderView(*view, 1).pixelAt(4, 2), (quartz::Pixel{0, 255, 0, 255}));
}

TEST(UIApplicationTest, OpenedURLsAreRecordedInOrder) {
    UIApplication* app = UIApplication::sharedApplication();
    app->clearOpenedURLs();
    EXPECT_TRUE(objc::msgSend<bool>(app, sel_registerName("openURL:"),
                                    std::string("x-apple-reminder://1")));
    EXPECT_FALSE(app->openURL(""));
    app->openURL("https://example.org/");
    EXPECT_EQ(app->openedURLs(),
              (std::vector<std::string>{"x-apple-reminder://1", "https://example.org/"}));
}

} // namespace
