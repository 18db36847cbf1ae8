#include "platform/foundation/device_path.hpp"
#include "tests/platform/foundation/test_support.hpp"

#include <gtest/gtest.h>
#include <stdexcept>

namespace foundation {
namespace {

using testing::ScopedEnvironment;

TEST(DevicePath, TintboxRootIsHonoured) {
    const ScopedEnvironment root("TINTBOX_ROOT", "/tmp/device");
    EXPECT_EQ(deviceRoot(), "/tmp/device");
    EXPECT_EQ(devicePath("/Library/PreferenceBundles/Tintbox.bundle"),
              "/tmp/device/Library/PreferenceBundles/Tintbox.bundle");
}

TEST(DevicePath, VarAndPrivateVarNameOneFile) {
    const ScopedEnvironment root("TINTBOX_ROOT", "/tmp/device");
    const auto expected = std::filesystem::path(
        "/tmp/device/private/var/mobile/Library/Preferences/net.quillward.tintbox.plist");
    EXPECT_EQ(devicePath("/var/mobile/Library/Preferences/net.quillward.tintbox.plist"), expected);
    EXPECT_EQ(devicePath("/private/var/mobile/Library/Preferences/net.quillward.tintbox.plist"),
              expected);
    EXPECT_EQ(devicePath("/var"), "/tmp/device/private/var");
    EXPECT_EQ(devicePath("/variable/x"), "/tmp/device/variable/x");
}

TEST(DevicePath, NeverLeavesTheRoot) {
    const ScopedEnvironment root("TINTBOX_ROOT", "/tmp/device");
    EXPECT_EQ(devicePath("/../../etc/passwd"), "/tmp/device/etc/passwd");
    EXPECT_EQ(devicePath("/var/mobile/../../../../etc"), "/tmp/device/etc");
    EXPECT_EQ(devicePath("/var/./mobile//x.plist"), "/tmp/device/private/var/mobile/x.plist");
    EXPECT_EQ(devicePath("/var/.."), "/tmp/device/private");
}

TEST(DevicePath, DefaultsFollowXdgThenHome) {
    const ScopedEnvironment noRoot("TINTBOX_ROOT", "");
    {
        const ScopedEnvironment data("XDG_DATA_HOME", "/tmp/data");
        EXPECT_EQ(deviceRoot(), "/tmp/data/tintbox/device");
    }
    const ScopedEnvironment noData("XDG_DATA_HOME", nullptr);
    const ScopedEnvironment home("HOME", "/tmp/home");
    EXPECT_EQ(deviceRoot(), "/tmp/home/.local/share/tintbox/device");
}

TEST(DevicePath, RelativePathIsAProgrammingError) {
    EXPECT_THROW(devicePath("var/mobile"), std::invalid_argument);
    EXPECT_THROW(devicePath(""), std::invalid_argument);
}

} // namespace
} // namespace foundation
