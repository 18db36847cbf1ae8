#include "platform/dispatch/main_queue.hpp"
#include "platform/dispatch/run_loop.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace dispatch {
namespace {

using ::testing::ElementsAre;

// The main loop is process-wide: each test leaves it on the real clock and drained.
class MainQueueTest : public ::testing::Test {
protected:
    MainQueueTest() { RunLoop::main().useVirtualClock(0.0); }
    ~MainQueueTest() override {
        RunLoop::main().run(); // drains whatever a failing test left behind
        RunLoop::main().useRealClock();
    }
    RunLoop& loop{RunLoop::main()};
};

TEST_F(MainQueueTest, DispatchAfterRunsAtTheGivenTimeOnTheMainLoop) {
    std::vector<std::string> ran;
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, 500 * NSEC_PER_MSEC), dispatch_get_main_queue(),
                   [&] { ran.push_back("half"); });
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, NSEC_PER_SEC / 4), dispatch_get_main_queue(),
                   [&] { ran.push_back("quarter"); });
    dispatch_async(dispatch_get_main_queue(), [&] { ran.push_back("async"); });
    loop.advance(0.249);
    EXPECT_THAT(ran, ElementsAre("async"));
    loop.advance(0.001);
    EXPECT_THAT(ran, ElementsAre("async", "quarter"));
    loop.advance(0.25);
    EXPECT_THAT(ran, ElementsAre("async", "quarter", "half"));
}

TEST_F(MainQueueTest, DispatchTimeArithmetic) {
    loop.advance(2.0);
    EXPECT_EQ(dispatch_time(DISPATCH_TIME_NOW, 0), 2 * NSEC_PER_SEC);
    EXPECT_EQ(dispatch_time(5, 10), 15u);
    EXPECT_EQ(dispatch_time(5, -10), DISPATCH_TIME_NOW);
    EXPECT_EQ(dispatch_time(DISPATCH_TIME_FOREVER, -10), DISPATCH_TIME_FOREVER);

    bool late = false;
    bool never = false;
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, -NSEC_PER_SEC), dispatch_get_main_queue(),
                   [&] { late = true; });
    dispatch_after(DISPATCH_TIME_FOREVER, dispatch_get_main_queue(), [&] { never = true; });
    loop.advance(0.0);
    EXPECT_TRUE(late); // a time in the past runs at once
    loop.advance(1e6);
    EXPECT_FALSE(never);
}

TEST_F(MainQueueTest, OnlyTheMainQueueExists) {
    EXPECT_EQ(dispatch_get_main_queue(), dispatch_get_main_queue());
    EXPECT_THROW(dispatch_after(DISPATCH_TIME_NOW, nullptr, [] {}), std::invalid_argument);
    EXPECT_THROW(dispatch_async(nullptr, [] {}), std::invalid_argument);
}

TEST(MainQueueRealClockTest, DispatchAfterRunsSoonOnTheRealClock) {
    auto& loop = RunLoop::main();
    ASSERT_FALSE(loop.usesVirtualClock());
    bool ran = false;
    const double start = loop.now();
    loop.dispatchAfter(0.02, [&] { ran = true; });
    EXPECT_TRUE(loop.runUntil([&] { return ran; }, 10.0));
    EXPECT_GE(loop.now() - start, 0.0199); // never early
}

} // namespace
} // namespace dispatch
