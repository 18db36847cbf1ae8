#include "device_root.hpp"
#include "platform/corefoundation/darwin_notify_center.hpp"
#include "platform/corefoundation/notification_center.hpp"
#include "platform/dispatch/run_loop.hpp"

#include <fstream>
#include <gmock/gmock.h>
#include <map>
#include <string>
#include <vector>

namespace corefoundation {
namespace {

using ::testing::ElementsAre;

// A centre of its own on a virtual-clock loop: a post is readable by the time post() returns,
// so one turn of the loop delivers it and nothing depends on timing.
class NotifyCenterTest : public testing::TemporaryDeviceRoot {
protected:
    NotifyCenterTest() { loop.useVirtualClock(0.0); }

    DarwinNotifyCenter::Handler record() {
        return [this](std::string_view name) { delivered.emplace_back(name); };
    }
    void deliver() { loop.advance(0.0); }

    dispatch::RunLoop loop;
    DarwinNotifyCenter center{loop};
    std::vector<std::string> delivered;
};

TEST_F(NotifyCenterTest, PostInThisProcessReachesItsObserversOnTheLoop) {
    auto observation = center.observe("a.name", record());
    EXPECT_TRUE(std::filesystem::is_directory(notifyFolder())); // made on demand
    ASSERT_TRUE(center.post("a.name"));
    EXPECT_TRUE(delivered.empty()); // only ever delivered from the run loop
    deliver();
    EXPECT_THAT(delivered, ElementsAre("a.name"));
    deliver();
    EXPECT_EQ(delivered.size(), 1u);
}

TEST_F(NotifyCenterTest, PostsBeforeADeliveryCoalesce) {
    auto first = center.observe("a.name", record());
    auto second = center.observe("a.name", record());
    auto other = center.observe("b.name", record());
    // Interleaved, so that the kernel cannot merge the events itself.
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(center.post("a.name"));
        ASSERT_TRUE(center.post("b.name"));
    }
    deliver();
    EXPECT_THAT(delivered, ElementsAre("a.name", "a.name", "b.name")); // once per observer
    ASSERT_TRUE(center.post("a.name"));
    deliver();
    EXPECT_EQ(delivered.size(), 5u);
}

TEST_F(NotifyCenterTest, NamesAreIndependent) {
    std::map<std::string, int> counts;
    auto a = center.observe("name.a", [&](std::string_view name) { ++counts[std::string(name)]; });
    auto b = center.observe("name.b", [&](std::string_view name) { ++counts[std::string(name)]; });
    ASSERT_TRUE(center.post("name.a"));
    ASSERT_TRUE(center.post("name.a"));
    ASSERT_TRUE(center.post("name.c"));
    deliver();
    EXPECT_THAT(counts, ElementsAre(std::pair<const std::string, int>("name.a", 1)));
    ASSERT_TRUE(center.post("name.b"));
    deliver();
    EXPECT_EQ(counts["name.b"], 1);
    EXPECT_EQ(counts["name.a"], 1);
}

TEST_F(NotifyCenterTest, EndedObservationHearsNothingAndCanEndItselfWhileDelivered) {
    { auto gone = center.observe("a.name", record()); }
    Observation self;
    Observation added;
    int selfCalls = 0;
    self = center.observe("a.name", [&](std::string_view) {
        ++selfCalls;
        self.cancel();
        added = center.observe("a.name", record()); // hears only later posts
    });
    ASSERT_TRUE(center.post("a.name"));
    deliver();
    EXPECT_EQ(selfCalls, 1);
    EXPECT_TRUE(delivered.empty());
    EXPECT_FALSE(self.isActive());
    ASSERT_TRUE(center.post("a.name"));
    deliver();
    EXPECT_EQ(selfCalls, 1);
    EXPECT_THAT(delivered, ElementsAre("a.name"));
}

TEST_F(NotifyCenterTest, WatchFollowsTheObservers) {
    auto first = center.observe("a.name", record());
    first.cancel(); // the last observer: the watch goes, pending posts are not kept
    ASSERT_TRUE(center.post("a.name"));
    auto second = center.observe("a.name", record());
    deliver();
    EXPECT_TRUE(delivered.empty());
    ASSERT_TRUE(center.post("a.name"));
    deliver();
    EXPECT_THAT(delivered, ElementsAre("a.name"));
}

TEST_F(NotifyCenterTest, NotifyFolderRemovedAndRecreatedByTheNextPost) {
    auto observation = center.observe("a.name", record());
    std::filesystem::remove_all(notifyFolder());
    deliver(); // the watch learns that its folder is gone
    ASSERT_TRUE(center.post("a.name"));
    deliver();
    EXPECT_THAT(delivered, ElementsAre("a.name"));
}

TEST_F(NotifyCenterTest, UnsafeNamesAreRefused) {
    auto observation = center.observe("a.name", record());
    for (const std::string name : {"", ".", "..", "../escape", "sub/name", "/abs"}) {
        EXPECT_FALSE(center.post(name)) << name;
        EXPECT_THROW((void)center.observe(name, record()), std::invalid_argument) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(root / "private/var/run/escape"));
    EXPECT_FALSE(std::filesystem::exists("/abs"));
    deliver();
    EXPECT_TRUE(delivered.empty());
}

TEST_F(NotifyCenterTest, PostNeverWritesThroughALinkPlantedUnderTheName) {
    auto observation = center.observe("a.name", record());
    const auto victim = root / "victim.txt";
    std::ofstream(victim) << "keep me";
    std::filesystem::create_symlink(victim, notifyFolder() / "a.name");
    EXPECT_FALSE(center.post("a.name"));
    std::ifstream in(victim);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "keep me");
}

TEST_F(NotifyCenterTest, NameFileCountsItsPosts) {
    ASSERT_TRUE(center.post("a.name"));
    ASSERT_TRUE(center.post("a.name"));
    std::ifstream in(notifyFolder() / "a.name");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "2\n");
}

// The platform's C-style names, on the process's own centre and main run loop.
class DarwinNotifyCenterFunctionsTest : public testing::TemporaryDeviceRoot {
protected:
    struct Call {
        CFNotificationCenterRef center;
        void* observer;
        std::string name;
        const void* object;
        CFDictionaryRef userInfo;
    };
    static void callback(CFNotificationCenterRef center, void* observer, CFStringRef name,
                         const void* object, CFDictionaryRef userInfo) {
        static_cast<std::vector<Call>*>(observer)->push_back(
            {center, observer, std::string(name), object, userInfo});
    }
    static void otherCallback(CFNotificationCenterRef center, void* observer, CFStringRef name,
                              const void* object, CFDictionaryRef userInfo) {
        callback(center, observer, name, object, userInfo);
    }

    ~DarwinNotifyCenterFunctionsTest() override {
        CFNotificationCenterRemoveEveryObserver(center, &calls);
        CFNotificationCenterRemoveEveryObserver(center, &witness);
    }

    // Posts, and runs the main loop until a witness observer of the name has heard it, so a
    // test can also tell that an observer under test heard nothing.
    void postAndDeliver(CFStringRef name) {
        CFNotificationCenterAddObserver(center, &witness, callback, name, nullptr,
                                        CFNotificationSuspensionBehaviorCoalesce);
        const auto heard = witness.size();
        const foundation::Dictionary userInfo{{"ignored", foundation::Value(true)}};
        CFNotificationCenterPostNotification(center, name, &calls, &userInfo, true);
        EXPECT_TRUE(
            dispatch::RunLoop::main().runUntil([&] { return witness.size() > heard; }, 30.0));
    }

    CFNotificationCenterRef center{CFNotificationCenterGetDarwinNotifyCenter()};
    std::vector<Call> calls;
    std::vector<Call> witness;
};

TEST_F(DarwinNotifyCenterFunctionsTest, CallbackGetsCentreObserverAndNameButNoPayload) {
    EXPECT_EQ(center, CFNotificationCenterGetDarwinNotifyCenter());
    CFNotificationCenterAddObserver(center, &calls, callback, "net.quillward.tintbox.preferences",
                                    nullptr, CFNotificationSuspensionBehaviorCoalesce);
    postAndDeliver("net.quillward.tintbox.preferences");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].center, center);
    EXPECT_EQ(calls[0].observer, &calls);
    EXPECT_EQ(calls[0].name, "net.quillward.tintbox.preferences");
    EXPECT_EQ(calls[0].object, nullptr);
    EXPECT_EQ(calls[0].userInfo, nullptr);
}

TEST_F(DarwinNotifyCenterFunctionsTest, RegistrationsAreKeyedByObserverNameAndCallback) {
    const auto behaviour = CFNotificationSuspensionBehaviorCoalesce;
    CFNotificationCenterAddObserver(center, &calls, callback, "n.one", nullptr, behaviour);
    CFNotificationCenterAddObserver(center, &calls, callback, "n.one", nullptr, behaviour);
    CFNotificationCenterAddObserver(center, &calls, otherCallback, "n.one", nullptr, behaviour);
    CFNotificationCenterAddObserver(center, &calls, callback, "n.two", nullptr, behaviour);
    postAndDeliver("n.one");
    EXPECT_EQ(calls.size(), 2u); // the duplicate registration counts once

    CFNotificationCenterRemoveObserver(center, &calls, "n.one", nullptr);
    postAndDeliver("n.one");
    EXPECT_EQ(calls.size(), 2u);
    postAndDeliver("n.two");
    EXPECT_EQ(calls.size(), 3u);

    CFNotificationCenterRemoveObserver(center, &calls, "", nullptr); // every name
    postAndDeliver("n.two");
    EXPECT_EQ(calls.size(), 3u);
}

TEST_F(DarwinNotifyCenterFunctionsTest, RefusedRequestsDoNothing) {
    const auto behaviour = CFNotificationSuspensionBehaviorCoalesce;
    CFNotificationCenterAddObserver(center, &calls, callback, "../escape", nullptr, behaviour);
    CFNotificationCenterAddObserver(center, &calls, nullptr, "n.one", nullptr, behaviour);
    CFNotificationCenterAddObserver(nullptr, &calls, callback, "n.one", nullptr, behaviour);
    CFNotificationCenterPostNotification(center, "../escape", nullptr, nullptr, true);
    CFNotificationCenterPostNotification(nullptr, "n.one", nullptr, nullptr, true);
    postAndDeliver("n.one");
    EXPECT_TRUE(calls.empty());
    EXPECT_FALSE(std::filesystem::exists(root / "private/var/run/escape"));
}

} // namespace
} // namespace corefoundation
