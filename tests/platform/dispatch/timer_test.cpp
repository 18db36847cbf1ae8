#include "platform/dispatch/virtual_clock.hpp"
#include "virtual_loop.hpp"

#include <ctime>
#include <gmock/gmock.h>
#include <optional>
#include <unistd.h>

namespace dispatch {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;
using TimerTest = testing::VirtualLoop;

TEST_F(TimerTest, FireInTimeOrderThenSchedulingOrder) {
    auto late = loop.addTimer(0.3, record("late"));
    auto first = loop.addTimer(0.1, record("first"));
    auto tieA = loop.addTimer(0.2, record("tieA"));
    auto tieB = loop.addTimer(0.2, record("tieB"));
    loop.dispatchAfter(0.15, record("after"));

    loop.advance(0.25);
    EXPECT_THAT(log, ElementsAre(Pair("first", 0.1), Pair("after", 0.15), Pair("tieA", 0.2),
                                 Pair("tieB", 0.2)));
    EXPECT_DOUBLE_EQ(loop.now(), 0.25);
    EXPECT_FALSE(first.isActive());
    EXPECT_TRUE(late.isActive());

    loop.advance(0.05); // accumulated steps land exactly on the due time
    EXPECT_THAT(names(), ElementsAre("first", "after", "tieA", "tieB", "late"));
}

TEST_F(TimerTest, NothingRunsBeforeItsTimeAndTimeStandsStillWithoutAdvance) {
    auto timer = loop.addTimer(1.0, record("timer"));
    EXPECT_FALSE(loop.runOnce(5.0)); // never sleeps, never moves the virtual clock
    loop.advance(0.999);
    EXPECT_TRUE(log.empty());
    EXPECT_DOUBLE_EQ(loop.now(), 0.999);
    loop.advance(0.001);
    EXPECT_THAT(names(), ElementsAre("timer"));
}

TEST_F(TimerTest, RepeatingTimerKeepsItsBeatUntilCancelled) {
    auto ticker = loop.addRepeatingTimer(0.5, record("tick"));
    loop.advance(2.2);
    EXPECT_THAT(log, ElementsAre(Pair("tick", 0.5), Pair("tick", 1.0), Pair("tick", 1.5),
                                 Pair("tick", 2.0)));
    ticker.cancel();
    EXPECT_FALSE(ticker.isActive());
    loop.advance(5.0);
    EXPECT_EQ(log.size(), 4u);
}

TEST_F(TimerTest, DestroyingOrCancellingTheTokenStopsTheTimer) {
    { auto scoped = loop.addTimer(0.1, record("scoped")); }
    auto cancelled = loop.addTimer(0.1, record("cancelled"));
    cancelled.cancel();
    auto moved = loop.addTimer(0.1, record("moved"));
    auto replaced = loop.addTimer(0.1, record("replaced"));
    replaced = std::move(moved); // the old "replaced" timer is cancelled, "moved" lives on
    loop.advance(1.0);
    EXPECT_THAT(names(), ElementsAre("moved"));
}

TEST_F(TimerTest, TimersScheduledWhileAdvancingRunInsideTheWindow) {
    std::vector<Registration> chained;
    loop.dispatchAfter(0.1, [&] {
        log.emplace_back("outer", loop.now());
        chained.push_back(loop.addTimer(0.2, record("inner")));
        loop.dispatchAfter(0.0, record("immediate"));
        loop.dispatchAfter(5.0, record("beyond"));
    });
    loop.advance(1.0);
    EXPECT_THAT(log, ElementsAre(Pair("outer", 0.1), Pair("immediate", 0.1),
                                 Pair("inner", ::testing::DoubleEq(0.3))));
    loop.advance(4.1);
    EXPECT_THAT(names(), ElementsAre("outer", "immediate", "inner", "beyond"));
}

TEST_F(TimerTest, CallbacksMayCancelThemselvesAndOthersWhileFiring) {
    Registration self;
    Registration victim = loop.addTimer(0.2, record("victim"));
    int selfTicks = 0;
    self = loop.addRepeatingTimer(0.1, [&] {
        ++selfTicks;
        victim.cancel(); // due in the same window, must not run
        if (selfTicks == 3)
            self.cancel(); // destroys the running timer's own registration
    });
    // Two timers due at the same instant: the first removes the second.
    Registration second;
    Registration firstAtOne = loop.addTimer(1.0, [&] { second.cancel(); });
    second = loop.addTimer(1.0, record("second"));

    loop.advance(2.0);
    EXPECT_EQ(selfTicks, 3);
    EXPECT_TRUE(log.empty());
}

TEST_F(TimerTest, TokenOutlivingItsLoopIsHarmless) {
    std::optional<RunLoop> shortLived(std::in_place);
    auto token = shortLived->addTimer(1.0, [] {});
    shortLived.reset();
    EXPECT_FALSE(token.isActive());
    token.cancel();
}

TEST_F(TimerTest, ClockSwitchKeepsRemainingDelay) {
    auto timer = loop.addTimer(2.0, record("timer"));
    loop.advance(0.5);
    loop.useVirtualClock(100.0);
    loop.advance(1.4);
    EXPECT_TRUE(log.empty());
    loop.advance(0.1);
    EXPECT_THAT(log, ElementsAre(Pair("timer", ::testing::DoubleEq(101.5))));
}

TEST_F(TimerTest, RefusesMeaninglessRequests) {
    EXPECT_THROW((void)loop.addRepeatingTimer(0.0, [] {}), std::invalid_argument);
    EXPECT_THROW((void)loop.addRepeatingTimer(-1.0, [] {}), std::invalid_argument);
    EXPECT_THROW(loop.advance(-1.0), std::invalid_argument);
    EXPECT_THROW(VirtualClock(Nanoseconds{5}).set(Nanoseconds{4}), std::logic_error);
    RunLoop real;
    EXPECT_THROW(real.advance(1.0), std::logic_error);
}

// What a toolkit's loop reads to sleep exactly until the next turn is due.
TEST_F(TimerTest, TellsAnOutsideLoopHowLongItMaySleep) {
    EXPECT_EQ(loop.secondsUntilDue(), std::nullopt);
    auto later = loop.addTimer(2.5, [] {});
    auto sooner = loop.addTimer(1.0, [] {});
    EXPECT_DOUBLE_EQ(*loop.secondsUntilDue(), 1.0);
    sooner.cancel();
    EXPECT_DOUBLE_EQ(*loop.secondsUntilDue(), 2.5);
    loop.dispatchAsync([] {});
    EXPECT_DOUBLE_EQ(*loop.secondsUntilDue(), 0.0);
    loop.runOnce();
    loop.advance(3.0);
    EXPECT_EQ(loop.secondsUntilDue(), std::nullopt);

    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    auto source = loop.addReadSource(fds[0], [] {});
    EXPECT_THAT(loop.readDescriptors(), ElementsAre(fds[0]));
    source.cancel();
    EXPECT_TRUE(loop.readDescriptors().empty());
    ::close(fds[0]);
    ::close(fds[1]);
}

TEST(RealClockTest, NowIsSecondsSinceTheReferenceDateAndMonotonic) {
    RunLoop real;
    const double first = real.now();
    const double unixNow = static_cast<double>(std::time(nullptr));
    EXPECT_NEAR(first, unixNow - 978307200.0, 5.0);
    EXPECT_LE(first, real.now());
}

} // namespace
} // namespace dispatch
