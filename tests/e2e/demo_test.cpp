// `tintbox demo` in one go: a device root of its own, and pictures of the Mail screens and of
// the settings pane, each a picture of what it names.
#include "platform/quartz/image.hpp"
#include "tests/support/process.hpp"
#include "tests/support/temporary_folder.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using namespace tintbox::testing;
using ::testing::HasSubstr;

constexpr double kScale = 2; // pixels per point of the rendered screens

TEST(DemoCommand, WritesPicturesOfTheMailScreensAndTheSettingsPane) {
    TemporaryFolder folder;
    const auto result = runProcess({TINTBOX_EXECUTABLE, "demo", "--out", (folder / "out").string(),
                                    "--root", (folder / "root").string()},
                                   {{"NO_COLOR", "1"}, {"LSAN_OPTIONS", "print_suppressions=0"}});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.err, "");
    for (const char* name :
         {"mailboxes.png", "folders.png", "message-list.png", "message.png", "settings.png",
          "settings-filters.png", "settings-filter.png", "settings-colour.png"}) {
        EXPECT_THAT(result.out, HasSubstr((folder / "out" / name).string())) << name;
        const auto picture = quartz::Image::fromPNGFile(folder / "out" / name, kScale);
        EXPECT_EQ(picture.pixelWidth(), 320 * kScale) << name;
    }
    // The filter list's first row is painted in the first sample filter's colour, opaque.
    const auto filters =
        quartz::Image::fromPNGFile(folder / "out" / "settings-filters.png", kScale);
    const quartz::Pixel firstRow =
        filters.pixelAt(static_cast<int>(250 * kScale), static_cast<int>((64 + 28 + 22) * kScale));
    EXPECT_EQ(firstRow.red, 0xD3);
    EXPECT_EQ(firstRow.green, 0x2F);
    EXPECT_EQ(firstRow.blue, 0x2F);
}

TEST(DemoCommand, WithoutARootItRemovesTheTemporaryRootItMadeUnlessKept) {
    TemporaryFolder temporary;
    const auto leftOver = [&] {
        std::size_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(temporary.path()))
            count += entry.path().filename().string().starts_with("tintbox-demo-");
        return count;
    };
    const EnvironmentOverrides environment{{"TMPDIR", temporary.path().c_str()},
                                           {"TINTBOX_ROOT", nullptr},
                                           {"NO_COLOR", "1"},
                                           {"LSAN_OPTIONS", "print_suppressions=0"}};
    const std::string out = (temporary / "out").string();
    const auto removed = runProcess({TINTBOX_EXECUTABLE, "demo", "--out", out}, environment);
    ASSERT_EQ(removed.exitStatus, 0) << removed.err;
    EXPECT_EQ(leftOver(), 0u);
    const auto kept = runProcess({TINTBOX_EXECUTABLE, "demo", "--out", out, "--keep"}, environment);
    ASSERT_EQ(kept.exitStatus, 0) << kept.err;
    EXPECT_EQ(leftOver(), 1u);
    EXPECT_THAT(kept.out, HasSubstr("Device root: " + temporary.path().string()));
}

} // namespace
