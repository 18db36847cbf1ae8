#include "pipe.hpp"
#include "platform/dispatch/run_loop.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace dispatch {
namespace {

using ::testing::ElementsAre;
using testing::Pipe;

TEST(ReadSourceTest, RunsWhenDataArrivesAndStopsWhenTokenGoes) {
    RunLoop loop;
    Pipe pipe;
    std::vector<std::string> received;
    auto source = loop.addReadSource(pipe.readEnd.get(), [&] { received.push_back(pipe.drain()); });

    EXPECT_FALSE(loop.runOnce(0.0));
    pipe.write("hello");
    EXPECT_TRUE(loop.runUntil([&] { return !received.empty(); }, 10.0));
    EXPECT_THAT(received, ElementsAre("hello"));

    source.cancel();
    pipe.write("unheard");
    EXPECT_FALSE(loop.runOnce(0.05));
    EXPECT_EQ(received.size(), 1u);
}

TEST(ReadSourceTest, WakesAWaitingLoopWithoutTimers) {
    RunLoop loop;
    Pipe pipe;
    bool readable = false;
    auto source = loop.addReadSource(pipe.readEnd.get(), [&] {
        pipe.drain();
        readable = true;
    });
    pipe.write("x");
    EXPECT_TRUE(loop.runOnce(10.0));
    EXPECT_TRUE(readable);
}

TEST(ReadSourceTest, VirtualClockPollsSourcesWithoutWaiting) {
    RunLoop loop;
    loop.useVirtualClock(0.0);
    Pipe pipe;
    int calls = 0;
    auto source = loop.addReadSource(pipe.readEnd.get(), [&] {
        pipe.drain();
        ++calls;
    });
    EXPECT_FALSE(loop.runOnce(60.0)); // would hang for a minute if it waited
    pipe.write("x");
    loop.advance(0.0);
    EXPECT_EQ(calls, 1);
}

TEST(ReadSourceTest, HangUpIsDeliveredAndSourceMayRemoveItselfAndOthers) {
    RunLoop loop;
    Pipe first;
    Pipe second;
    Registration firstSource;
    Registration secondSource;
    std::vector<std::string> events;
    firstSource = loop.addReadSource(first.readEnd.get(), [&] {
        const auto text = first.drain();
        events.push_back(text.empty() ? "first:eof" : "first:" + text);
        if (text.empty()) {
            firstSource.cancel();  // itself, while running
            secondSource.cancel(); // another source ready in the same turn
        }
    });
    secondSource = loop.addReadSource(second.readEnd.get(), [&] { events.push_back("second"); });

    first.write("a");
    EXPECT_TRUE(loop.runUntil([&] { return !events.empty(); }, 10.0));
    first.writeEnd.reset();
    second.write("b");
    EXPECT_TRUE(loop.runUntil([&] { return !firstSource.isActive(); }, 10.0));
    EXPECT_FALSE(secondSource.isActive());
    EXPECT_THAT(events, ElementsAre("first:a", "first:eof"));
}

TEST(ReadSourceTest, OneSourcePerDescriptorAndOnlyOpenDescriptors) {
    RunLoop loop;
    Pipe pipe;
    auto source = loop.addReadSource(pipe.readEnd.get(), [] {});
    EXPECT_THROW((void)loop.addReadSource(pipe.readEnd.get(), [] {}), std::invalid_argument);
    EXPECT_THROW((void)loop.addReadSource(-1, [] {}), std::invalid_argument);
    source.cancel();
    auto again = loop.addReadSource(pipe.readEnd.get(), [] {});
    EXPECT_TRUE(again.isActive());
}

TEST(ReadSourceTest, SourceWhoseDescriptorWasClosedIsDroppedNotSpun) {
    RunLoop loop;
    Pipe pipe;
    int calls = 0;
    auto source = loop.addReadSource(pipe.readEnd.get(), [&] { ++calls; });
    pipe.readEnd.reset();
    loop.runOnce(0.0);
    EXPECT_FALSE(source.isActive());
    EXPECT_EQ(calls, 0);
}

} // namespace
} // namespace dispatch
