#include "device_root.hpp"
#include "platform/corefoundation/darwin_notify_center.hpp"
#include "platform/dispatch/run_loop.hpp"
#include "spawn.hpp"

#include <gmock/gmock.h>
#include <string>
#include <vector>

namespace corefoundation {
namespace {

using CrossProcessTest = testing::TemporaryDeviceRoot;

TEST_F(CrossProcessTest, PostFromAnotherProcessReachesThisOne) {
    auto& loop = dispatch::RunLoop::main();
    ASSERT_FALSE(loop.usesVirtualClock());
    std::vector<std::string> delivered;
    auto observation = DarwinNotifyCenter::shared().observe(
        "net.quillward.tintbox.preferences",
        [&](std::string_view name) { delivered.emplace_back(name); });
    auto other = DarwinNotifyCenter::shared().observe(
        "other.name", [&](std::string_view name) { delivered.emplace_back(name); });

    testing::HelperProcess poster({"post", "net.quillward.tintbox.preferences", "3"});
    EXPECT_TRUE(loop.runUntil([&] { return !delivered.empty(); }, 30.0));
    EXPECT_EQ(poster.wait().exitStatus, 0);
    loop.runFor(0.05);
    // Three posts: delivered once, or at most once per post if they straddled our reads.
    EXPECT_GE(delivered.size(), 1u);
    EXPECT_LE(delivered.size(), 3u);
    EXPECT_THAT(delivered, ::testing::Each("net.quillward.tintbox.preferences"));
}

TEST_F(CrossProcessTest, AnotherProcessRefusesUnsafeNames) {
    EXPECT_EQ(testing::runHelper({"post", "../escape"}).exitStatus, 1);
    EXPECT_FALSE(std::filesystem::exists(root / "private/var/run/escape"));
}

} // namespace
} // namespace corefoundation
