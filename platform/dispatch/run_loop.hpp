// The main run loop: read sources on file descriptors, one-shot and repeating timers, and work
// queued for the main queue, all run on the thread that runs the loop. RunLoop::main() is the
// process's one loop; its clock is real in the apps and virtual in tests, where advance()
// runs what falls due. Callbacks may add and cancel anything, themselves included.
// Under the virtual clock the loop never waits: descriptors are polled without blocking, and
// run(), runFor() and runUntil() move virtual time from timer to timer as advance() does.
// Not thread-safe: everything happens on the thread that runs the loop.
#pragma once

#include "platform/dispatch/clock.hpp"
#include "platform/dispatch/registration.hpp"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace dispatch {

class LoopTables;
class VirtualClock;

class RunLoop {
public:
    using Callback = std::function<void()>;

    // The process's main run loop, where the platform delivers everything.
    static RunLoop& main();

    // A loop of its own, for tools and tests; the platform itself only uses main().
    RunLoop();
    ~RunLoop();
    RunLoop(const RunLoop&) = delete;
    RunLoop& operator=(const RunLoop&) = delete;

    // Seconds since the platform's reference date, on this loop's clock.
    double now() const;
    Nanoseconds nowNanoseconds() const;

    // Switches to a virtual clock that starts where the current clock stands, or at
    // `startSeconds`. Pending timers keep their remaining delays across any switch.
    void useVirtualClock();
    void useVirtualClock(double startSeconds);
    void useRealClock();
    bool usesVirtualClock() const { return m_virtualClock != nullptr; }

    // Virtual clock only (std::logic_error otherwise): moves time forward by `seconds`,
    // running everything that falls due in time order, including timers that callbacks
    // schedule inside the window. The clock reads each timer's due time while it runs.
    void advance(double seconds);

    // `onReadable` runs on each turn in which `fd` is readable or hung up; it must read
    // what is there (or cancel the source) lest it be called again at once. One source per fd.
    Registration addReadSource(int fd, Callback onReadable);
    Registration addTimer(double delaySeconds, Callback callback);
    // Fires every `intervalSeconds` (> 0, std::invalid_argument otherwise) until cancelled.
    Registration addRepeatingTimer(double intervalSeconds, Callback callback);

    // Runs `work` once, `delaySeconds` from now; it cannot be cancelled.
    void dispatchAfter(double delaySeconds, Callback work);
    // Runs `work` on the next turn of the loop.
    void dispatchAsync(Callback work);

    // Runs until stop(), or until nothing is left that could ever wake the loop.
    void run();
    // Ends the innermost run(), runFor() or runUntil() after the current callback.
    void stop() { m_stopRequested = true; }
    // Runs for `seconds` of the loop's clock.
    void runFor(double seconds);
    // Runs until `predicate` holds (checked before and after each turn) or `timeoutSeconds`
    // of the loop's clock pass; returns whether the predicate holds.
    bool runUntil(const std::function<bool()>& predicate, double timeoutSeconds);
    // One turn: queued work, ready sources, due timers. Waits up to `timeoutSeconds` for
    // something to happen (never under the virtual clock). Returns whether anything ran.
    bool runOnce(double timeoutSeconds = 0.0);

    // For an outside event loop that runs this one on the same thread (a window toolkit's):
    // the descriptors its read sources watch, and how long it may sleep before a turn is due
    // (0 when work is queued or a timer is due; nullopt when no timer is pending).
    std::vector<int> readDescriptors() const;
    std::optional<double> secondsUntilDue() const;

private:
    bool turn(Nanoseconds maxWait);
    bool serviceReadSources(Nanoseconds wait);
    bool fireDueTimers();
    // Virtual clock: runs turns, moving time to each due timer up to `target`, until the
    // predicate holds or (when `stoppable`) stop() is called.
    bool advanceTo(Nanoseconds target, const std::function<bool()>& predicate, bool stoppable);
    void switchClock(std::unique_ptr<Clock> clock, VirtualClock* virtualClock);

    std::shared_ptr<LoopTables> m_tables;
    std::unique_ptr<Clock> m_clock;
    VirtualClock* m_virtualClock{nullptr};
    bool m_stopRequested{false};
};

} // namespace dispatch
