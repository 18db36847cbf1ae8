// Test fixture: a run loop of its own on a virtual clock starting at zero, and a log of the
// callbacks that ran, each with the virtual time at which it ran.
#pragma once

#include "platform/dispatch/run_loop.hpp"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace dispatch::testing {

class VirtualLoop : public ::testing::Test {
protected:
    VirtualLoop() { loop.useVirtualClock(0.0); }

    // A callback that records `name` and the time it ran.
    RunLoop::Callback record(std::string name) {
        return [this, name = std::move(name)] { log.emplace_back(name, loop.now()); };
    }
    std::vector<std::string> names() const {
        std::vector<std::string> result;
        for (const auto& [name, time] : log)
            result.push_back(name);
        return result;
    }

    RunLoop loop;
    std::vector<std::pair<std::string, double>> log;
};

} // namespace dispatch::testing
