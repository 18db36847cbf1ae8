#include "virtual_loop.hpp"

#include <gmock/gmock.h>

namespace dispatch {
namespace {

using ::testing::ElementsAre;
using RunTest = testing::VirtualLoop;

TEST_F(RunTest, AsyncWorkRunsOnTheNextTurnInOrder) {
    loop.dispatchAsync(record("a"));
    loop.dispatchAsync([&] {
        log.emplace_back("b", loop.now());
        loop.dispatchAsync(record("queued by b"));
    });
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(loop.runOnce());
    EXPECT_THAT(names(), ElementsAre("a", "b"));
    EXPECT_TRUE(loop.runOnce());
    EXPECT_THAT(names(), ElementsAre("a", "b", "queued by b"));
    EXPECT_FALSE(loop.runOnce());
}

TEST_F(RunTest, RunUntilStopsWhenThePredicateHoldsAndReportsIt) {
    int ticks = 0;
    auto ticker = loop.addRepeatingTimer(1.0, [&] { ++ticks; });
    EXPECT_TRUE(loop.runUntil([&] { return ticks == 3; }, 10.0));
    EXPECT_DOUBLE_EQ(loop.now(), 3.0); // time stops at the event that made it true

    EXPECT_FALSE(loop.runUntil([] { return false; }, 2.5));
    EXPECT_EQ(ticks, 5);
    EXPECT_DOUBLE_EQ(loop.now(), 5.5);

    EXPECT_TRUE(loop.runUntil([] { return true; }, 10.0));
    EXPECT_DOUBLE_EQ(loop.now(), 5.5);
}

TEST_F(RunTest, RunForMovesVirtualTimeByItsDuration) {
    loop.dispatchAfter(1.0, record("inside"));
    loop.dispatchAfter(3.0, record("outside"));
    loop.runFor(2.0);
    EXPECT_THAT(names(), ElementsAre("inside"));
    EXPECT_DOUBLE_EQ(loop.now(), 2.0);
}

TEST_F(RunTest, RunEndsOnStopOrWhenNothingIsLeft) {
    auto ticker = loop.addRepeatingTimer(1.0, record("tick"));
    loop.dispatchAfter(2.5, [&] { loop.stop(); });
    loop.run();
    EXPECT_THAT(names(), ElementsAre("tick", "tick"));
    EXPECT_DOUBLE_EQ(loop.now(), 2.5);

    ticker.cancel();
    loop.dispatchAfter(4.0, record("last"));
    loop.run(); // returns once the last timer has run
    EXPECT_THAT(names(), ElementsAre("tick", "tick", "last"));
}

TEST(RealRunTest, RunReturnsAtOnceWhenEmptyAndStopEndsIt) {
    RunLoop loop;
    loop.run();
    int ticks = 0;
    auto ticker = loop.addRepeatingTimer(0.001, [&] {
        if (++ticks == 3)
            loop.stop();
    });
    loop.run();
    EXPECT_EQ(ticks, 3);
}

TEST(RealRunTest, RunForWaitsAtLeastItsDuration) {
    RunLoop loop;
    const double start = loop.now();
    loop.runFor(0.02);
    EXPECT_GE(loop.now() - start, 0.0199);
}

} // namespace
} // namespace dispatch
