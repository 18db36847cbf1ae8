// `tintbox settings colour` run as a user runs it on a device root made by `tintbox init
// --sample`: typed entries are stored under the right key, nothing else in the file changes,
// and a filter that no longer exists is never written.
#include "platform/foundation/property_list.hpp"
#include "tests/e2e/sample_device_test.hpp"
#include "tests/support/process.hpp"
#include "tests/support/temporary_folder.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using namespace tintbox::testing;
using ::testing::HasSubstr;

class SettingsColourCommand : public SampleDeviceTest {};

TEST_F(SettingsColourCommand, StoresAnAccountColourAndLeavesEveryOtherKey) {
    auto expected = settings();
    const auto result = tintbox({"settings", "colour", "--key", "Work", "--hex", "00ff00"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("stored #00FF00"));
    expected["Work"] = "#00FF00";
    EXPECT_EQ(foundation::Value(settings()), foundation::Value(expected));
}

TEST_F(SettingsColourCommand, StoresAFilterColourInItsRecord) {
    const auto result = tintbox({"settings", "colour", "--key", "Color Value 1", "--rgb", "1,2,3"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const auto filters = *settings()["filtersEnabled"].asArray();
    EXPECT_EQ(*filters[1].find("hexColor")->asString(), "#010203");
    EXPECT_EQ(*filters[0].find("hexColor")->asString(), "#D32F2F");
}

TEST_F(SettingsColourCommand, AFilterPastTheEndOfTheListIsNeverWritten) {
    const auto before = fileContents(root / "private/var/mobile/Library/Preferences/"
                                            "net.quillward.tintbox.plist");
    tintbox({"settings", "colour", "--key", "Color Value 40", "--hex", "123456"});
    EXPECT_EQ(fileContents(root / "private/var/mobile/Library/Preferences/"
                                  "net.quillward.tintbox.plist"),
              before);
}

TEST_F(SettingsColourCommand, BadValuesAreRefusedWithOneLine) {
    const auto result = tintbox({"settings", "colour", "--key", "Work", "--rgb", "1,2"});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
}

} // namespace
