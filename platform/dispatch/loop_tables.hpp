// The bookkeeping of one run loop: its read sources, its timers in firing order and the work
// queued for the next turn. Shared between the loop and the Registration tokens, which hold it
// weakly so that a token outliving its loop is harmless. Internal to platform/dispatch.
#pragma once

#include "platform/dispatch/clock.hpp"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

namespace dispatch {

using Callback = std::function<void()>;
// Held shared so that a callback stays alive while it runs, even if it cancels itself.
using SharedCallback = std::shared_ptr<const Callback>;

class LoopTables {
public:
    struct ReadSource {
        int fd{-1};
        SharedCallback callback{};
    };

    std::uint64_t addReadSource(int fd, Callback callback);
    // A timer first due at `due`; a positive `interval` repeats it.
    std::uint64_t addTimer(Nanoseconds due, Nanoseconds interval, Callback callback);
    bool remove(std::uint64_t id);
    bool contains(std::uint64_t id) const;

    const std::map<std::uint64_t, ReadSource>& readSources() const { return m_readSources; }
    const ReadSource* readSource(std::uint64_t id) const;

    std::optional<Nanoseconds> nextDue() const;
    // Timers due at `now`, in firing order (due time, then scheduling order).
    std::vector<std::uint64_t> dueTimers(Nanoseconds now) const;
    // The callback of a due timer, which is dropped (one-shot) or rescheduled (repeating) first;
    // nullptr when the timer is gone.
    SharedCallback takeDueTimer(std::uint64_t id, Nanoseconds now);
    // Keeps each timer's remaining delay across a change of clock.
    void rebase(Nanoseconds oldNow, Nanoseconds newNow);

    void enqueue(Callback callback) { m_queued.push_back(std::move(callback)); }
    std::deque<Callback> takeQueued() { return std::exchange(m_queued, {}); }
    bool hasQueued() const { return !m_queued.empty(); }

    bool empty() const { return m_readSources.empty() && m_timers.empty() && m_queued.empty(); }

private:
    struct Timer {
        Nanoseconds due{};
        Nanoseconds interval{};
        std::uint64_t order{0};
        SharedCallback callback{};
    };
    using TimerKey = std::tuple<Nanoseconds, std::uint64_t, std::uint64_t>; // due, order, id

    void schedule(std::uint64_t id, Timer& timer, Nanoseconds due);

    std::uint64_t m_lastId{0};
    std::uint64_t m_lastOrder{0};
    std::map<std::uint64_t, ReadSource> m_readSources{};
    std::map<std::uint64_t, Timer> m_timers{};
    std::set<TimerKey> m_firingOrder{};
    std::deque<Callback> m_queued{};
};

} // namespace dispatch
