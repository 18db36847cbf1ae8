#include "platform/dispatch/run_loop.hpp"

#include "platform/dispatch/loop_tables.hpp"
#include "platform/dispatch/real_clock.hpp"
#include "platform/dispatch/virtual_clock.hpp"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <poll.h>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace dispatch {
namespace {

constexpr Nanoseconds kForever = Nanoseconds::max();

Nanoseconds delayFrom(double seconds) {
    return std::max(toNanoseconds(seconds), Nanoseconds{0});
}

// `base + delay` without overflowing past "forever".
Nanoseconds later(Nanoseconds base, Nanoseconds delay) {
    return delay >= kForever - base ? kForever : base + delay;
}

} // namespace

RunLoop& RunLoop::main() {
    static RunLoop loop;
    return loop;
}

RunLoop::RunLoop()
    : m_tables(std::make_shared<LoopTables>()), m_clock(std::make_unique<RealClock>()) {}

RunLoop::~RunLoop() = default;

double RunLoop::now() const {
    return toSeconds(nowNanoseconds());
}

Nanoseconds RunLoop::nowNanoseconds() const {
    return m_clock->now();
}

void RunLoop::useVirtualClock() {
    auto clock = std::make_unique<VirtualClock>(m_clock->now());
    auto* virtualClock = clock.get();
    switchClock(std::move(clock), virtualClock);
}

void RunLoop::useVirtualClock(double startSeconds) {
    auto clock = std::make_unique<VirtualClock>(toNanoseconds(startSeconds));
    auto* virtualClock = clock.get();
    switchClock(std::move(clock), virtualClock);
}

void RunLoop::useRealClock() {
    switchClock(std::make_unique<RealClock>(), nullptr);
}

void RunLoop::switchClock(std::unique_ptr<Clock> clock, VirtualClock* virtualClock) {
    m_tables->rebase(m_clock->now(), clock->now());
    m_clock = std::move(clock);
    m_virtualClock = virtualClock;
}

void RunLoop::advance(double seconds) {
    if (!m_virtualClock)
        throw std::logic_error("advance() needs the virtual clock");
    if (!(seconds >= 0.0))
        throw std::invalid_argument("advance() needs a non-negative time");
    advanceTo(
        later(nowNanoseconds(), toNanoseconds(seconds)), [] { return false; }, false);
}

Registration RunLoop::addReadSource(int fd, Callback onReadable) {
    return Registration(m_tables, m_tables->addReadSource(fd, std::move(onReadable)));
}

Registration RunLoop::addTimer(double delaySeconds, Callback callback) {
    const auto due = later(nowNanoseconds(), delayFrom(delaySeconds));
    return Registration(m_tables, m_tables->addTimer(due, Nanoseconds{0}, std::move(callback)));
}

Registration RunLoop::addRepeatingTimer(double intervalSeconds, Callback callback) {
    const auto interval = toNanoseconds(intervalSeconds);
    if (interval <= Nanoseconds{0})
        throw std::invalid_argument("repeating timer needs a positive interval");
    const auto due = later(nowNanoseconds(), interval);
    return Registration(m_tables, m_tables->addTimer(due, interval, std::move(callback)));
}

void RunLoop::dispatchAfter(double delaySeconds, Callback work) {
    const auto due = later(nowNanoseconds(), delayFrom(delaySeconds));
    m_tables->addTimer(due, Nanoseconds{0}, std::move(work));
}

void RunLoop::dispatchAsync(Callback work) {
    m_tables->enqueue(std::move(work));
}

bool RunLoop::runOnce(double timeoutSeconds) {
    return turn(delayFrom(timeoutSeconds));
}

std::vector<int> RunLoop::readDescriptors() const {
    std::vector<int> fds;
    for (const auto& entry : m_tables->readSources())
        fds.push_back(entry.second.fd);
    return fds;
}

std::optional<double> RunLoop::secondsUntilDue() const {
    if (m_tables->hasQueued())
        return 0.0;
    const auto due = m_tables->nextDue();
    if (!due)
        return std::nullopt;
    return std::max(toSeconds(*due - nowNanoseconds()), 0.0);
}

void RunLoop::run() {
    m_stopRequested = false;
    if (m_virtualClock) {
        advanceTo(
            kForever, [] { return false; }, true);
        return;
    }
    while (!m_stopRequested && !m_tables->empty())
        turn(kForever);
}

void RunLoop::runFor(double seconds) {
    runUntil([] { return false; }, seconds);
}

bool RunLoop::runUntil(const std::function<bool()>& predicate, double timeoutSeconds) {
    m_stopRequested = false;
    const auto deadline = later(nowNanoseconds(), delayFrom(timeoutSeconds));
    if (m_virtualClock)
        return advanceTo(deadline, predicate, true);
    while (true) {
        if (predicate())
            return true;
        const auto now = nowNanoseconds();
        if (m_stopRequested || now >= deadline)
            return false;
        turn(deadline - now);
    }
}

bool RunLoop::advanceTo(Nanoseconds target, const std::function<bool()>& predicate,
                        bool stoppable) {
    while (true) {
        if (predicate())
            return true;
        if (stoppable && m_stopRequested)
            return false;
        if (!m_virtualClock) // a callback went back to the real clock
            return false;
        if (turn(Nanoseconds{0}))
            continue;
        const auto now = nowNanoseconds();
        if (const auto due = m_tables->nextDue(); due && *due <= target) {
            m_virtualClock->set(std::max(now, *due));
            continue;
        }
        if (target == kForever || now >= target)
            return false;
        m_virtualClock->set(target);
    }
}

bool RunLoop::turn(Nanoseconds maxWait) {
    bool ranSomething = false;
    for (auto& work : m_tables->takeQueued()) {
        work();
        ranSomething = true;
    }

    Nanoseconds wait = maxWait;
    if (ranSomething || m_virtualClock || m_tables->hasQueued())
        wait = Nanoseconds{0};
    else if (const auto due = m_tables->nextDue())
        wait = std::min(wait, std::max(*due - nowNanoseconds(), Nanoseconds{0}));

    ranSomething = serviceReadSources(wait) || ranSomething;
    ranSomething = fireDueTimers() || ranSomething;
    return ranSomething;
}

bool RunLoop::serviceReadSources(Nanoseconds wait) {
    std::vector<pollfd> fds;
    std::vector<std::uint64_t> ids;
    for (const auto& [id, source] : m_tables->readSources()) {
        fds.push_back(pollfd{source.fd, POLLIN, 0});
        ids.push_back(id);
    }
    if (fds.empty() && wait == kForever)
        return false; // nothing could ever end the wait
    timespec timeout{};
    const bool forever = wait == kForever;
    if (!forever) {
        timeout.tv_sec = static_cast<time_t>(wait.count() / 1'000'000'000);
        timeout.tv_nsec = static_cast<long>(wait.count() % 1'000'000'000);
    }
    const int ready = ::ppoll(fds.data(), fds.size(), forever ? nullptr : &timeout, nullptr);
    if (ready < 0) {
        if (errno == EINTR)
            return false;
        throw std::system_error(errno, std::generic_category(), "run loop poll");
    }
    bool ranSomething = false;
    for (std::size_t i = 0; i < fds.size() && ready > 0; ++i) {
        if (fds[i].revents == 0)
            continue;
        // An earlier callback of this turn may have removed or replaced the source.
        const auto* source = m_tables->readSource(ids[i]);
        if (!source || source->fd != fds[i].fd)
            continue;
        if (fds[i].revents & POLLNVAL) {
            // The descriptor was closed under its source; drop the source rather than spin.
            m_tables->remove(ids[i]);
            continue;
        }
        const auto callback = source->callback;
        (*callback)();
        ranSomething = true;
    }
    return ranSomething;
}

bool RunLoop::fireDueTimers() {
    const auto now = nowNanoseconds();
    bool ranSomething = false;
    for (const auto id : m_tables->dueTimers(now)) {
        if (const auto callback = m_tables->takeDueTimer(id, now)) {
            (*callback)();
            ranSomething = true;
        }
    }
    return ranSomething;
}

} // namespace dispatch
