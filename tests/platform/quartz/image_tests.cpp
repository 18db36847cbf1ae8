#include "platform/quartz/image_context.hpp"
#include "tests/platform/quartz/pixel_matchers.hpp"

#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using quartz::Color;
using quartz::Image;
using quartz::ImageContext;
using quartz::ImageError;

class ImageFiles : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("quartz_tests_" + std::to_string(getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path dir() const { return m_dir; }

    static Image sampleImage() {
        ImageContext bitmap({3, 2}, false, 1);
        auto& context = bitmap.context();
        context.fillRect(CGRectMake(0, 0, 1, 1), Color{1, 0, 0, 1});
        context.fillRect(CGRectMake(1, 0, 1, 1), Color{0, 1, 0, 0.5});
        context.fillRect(CGRectMake(2, 0, 1, 1), Color{0.2, 0.4, 0.6, 1});
        context.fillRect(CGRectMake(0, 1, 1, 1), Color::white());
        return bitmap.image();
    }

private:
    fs::path m_dir;
};

TEST_F(ImageFiles, PNGRoundTripKeepsEveryPixel) {
    const Image original = sampleImage();
    const fs::path file = dir() / "sample.png";
    original.writePNG(file);
    const Image loaded = Image::fromPNGFile(file, 2.0);
    ASSERT_EQ(loaded.pixelWidth(), 3);
    ASSERT_EQ(loaded.pixelHeight(), 2);
    EXPECT_EQ(loaded.size(), CGSizeMake(1.5, 1)) << "the size in points follows the scale";
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(loaded.pixelAt(x, y), original.pixelAt(x, y)) << x << ", " << y;
    EXPECT_EQ(original.pixelAt(0, 0), (quartz::Pixel{255, 0, 0, 255}));
    EXPECT_EQ(original.pixelAt(1, 1), quartz::kTransparent);
    EXPECT_THAT(original.pixelAt(1, 0), PixelNear(quartz::Pixel{0, 255, 0, 128}, 1));
}

TEST_F(ImageFiles, UnreadableFilesAreErrorsNamingTheFile) {
    const fs::path missing = dir() / "Selector.png";
    const fs::path broken = dir() / "broken.png";
    std::ofstream(broken) << "this is not a picture";
    for (const fs::path& path : {missing, broken, dir()}) {
        try {
            Image::fromPNGFile(path);
            ADD_FAILURE() << "no error for " << path;
        } catch (const ImageError& error) {
            EXPECT_NE(std::string(error.what()).find(path.string()), std::string::npos)
                << error.what();
        }
    }
}

TEST_F(ImageFiles, FailedWritesAreReportedAndLeaveNothingBehind) {
    const Image image = sampleImage();
    EXPECT_THROW(image.writePNG(dir() / "no such folder" / "out.png"), ImageError);
    // A folder in the way: the rename fails, the folder stays and no temporary file remains.
    fs::create_directory(dir() / "taken.png");
    EXPECT_THROW(image.writePNG(dir() / "taken.png"), ImageError);
    EXPECT_TRUE(fs::is_directory(dir() / "taken.png"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir()), fs::directory_iterator()), 1);
    EXPECT_THROW(ImageContext({0, 5}, false, 1).image().writePNG(dir() / "empty.png"), ImageError);
}

TEST_F(ImageFiles, WritingReplacesAnOlderFile) {
    const fs::path file = dir() / "screen.png";
    std::ofstream(file) << "old";
    sampleImage().writePNG(file);
    EXPECT_EQ(Image::fromPNGFile(file).pixelWidth(), 3);
}

TEST(ImageContext, ScaleMultipliesPixelsNotPoints) {
    ImageContext bitmap({10.5, 4}, false, 2);
    bitmap.context().fillRect(CGRectMake(0, 0, 5, 1), Color{1, 0, 0, 1});
    const Image image = bitmap.image();
    EXPECT_EQ(image.pixelWidth(), 21);
    EXPECT_EQ(image.pixelHeight(), 8);
    EXPECT_EQ(image.size(), CGSizeMake(10.5, 4));
    EXPECT_EQ(image.pixelAt(9, 1).red, 255);
    EXPECT_EQ(image.pixelAt(10, 1), quartz::kTransparent);
    EXPECT_EQ(image.pixelAt(9, 2), quartz::kTransparent);
}

TEST(ImageContext, ImagesAreSnapshots) {
    ImageContext bitmap({2, 2}, true, 1);
    const Image before = bitmap.image();
    bitmap.context().fillRect(CGRectMake(0, 0, 2, 2), Color::white());
    EXPECT_EQ(before.pixelAt(0, 0), (quartz::Pixel{0, 0, 0, 255})) << "opaque bitmaps start black";
    EXPECT_EQ(bitmap.image().pixelAt(0, 0), (quartz::Pixel{255, 255, 255, 255}));
    EXPECT_THROW(before.pixelAt(2, 0), std::out_of_range);
}

TEST(ImageContext, RejectsUnusableSizes) {
    EXPECT_THROW(ImageContext({-1, 5}, false, 1), std::invalid_argument);
    EXPECT_THROW(ImageContext({5, 5}, false, 0), std::invalid_argument);
    EXPECT_THROW(ImageContext({1e9, 5}, false, 1), ImageError);
}

TEST(DeferredImage, IsDrawnOnceWhenItsPixelsAreFirstNeededAndCopiesShareTheDrawing) {
    int drawings = 0;
    const Image deferred = Image::drawnWhenNeeded({3, 2}, 2.0, [&drawings] {
        ++drawings;
        ImageContext bitmap({3, 2}, false, 2.0);
        bitmap.context().fillRect(CGRectMake(0, 0, 1, 1), Color::white());
        return bitmap.image();
    });
    const Image copy = deferred;
    EXPECT_EQ(copy.pixelWidth(), 6);
    EXPECT_EQ(copy.pixelHeight(), 4);
    EXPECT_EQ(copy.size(), (CGSize{3, 2}));
    EXPECT_EQ(drawings, 0) << "its size is known without drawing";

    EXPECT_EQ(copy.pixelAt(1, 1), (quartz::Pixel{255, 255, 255, 255}));
    EXPECT_EQ(deferred.pixelAt(2, 0), (quartz::Pixel{}));
    ImageContext target({3, 2}, false, 2.0);
    target.context().drawImage(deferred, CGRectMake(0, 0, 3, 2));
    EXPECT_EQ(target.image().pixelAt(0, 0), (quartz::Pixel{255, 255, 255, 255}));
    EXPECT_EQ(drawings, 1);
}

TEST(DeferredImage, ADrawingOfAnotherSizeIsAnErrorAtFirstUse) {
    const Image wrong = Image::drawnWhenNeeded({3, 2}, 1.0, [] {
        return ImageContext({2, 2}, false, 1.0).image();
    });
    EXPECT_THROW(wrong.pixelAt(0, 0), std::logic_error);
    EXPECT_THROW(Image::drawnWhenNeeded({3, 2}, 0, [] { return Image::fromPNGFile("x"); }),
                 std::invalid_argument);
}

} // namespace
