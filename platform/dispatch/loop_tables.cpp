#include "platform/dispatch/loop_tables.hpp"

#include <stdexcept>
#include <string>

namespace dispatch {

std::uint64_t LoopTables::addReadSource(int fd, Callback callback) {
    if (fd < 0)
        throw std::invalid_argument("read source needs an open file descriptor");
    for (const auto& [id, source] : m_readSources)
        if (source.fd == fd)
            throw std::invalid_argument("file descriptor " + std::to_string(fd) +
                                        " already has a read source");
    const auto id = ++m_lastId;
    m_readSources.emplace(id,
                          ReadSource{fd, std::make_shared<const Callback>(std::move(callback))});
    return id;
}

std::uint64_t LoopTables::addTimer(Nanoseconds due, Nanoseconds interval, Callback callback) {
    const auto id = ++m_lastId;
    auto& timer = m_timers[id];
    timer.interval = interval;
    timer.callback = std::make_shared<const Callback>(std::move(callback));
    schedule(id, timer, due);
    return id;
}

void LoopTables::schedule(std::uint64_t id, Timer& timer, Nanoseconds due) {
    m_firingOrder.erase({timer.due, timer.order, id});
    timer.due = due;
    timer.order = ++m_lastOrder;
    m_firingOrder.insert({timer.due, timer.order, id});
}

bool LoopTables::remove(std::uint64_t id) {
    if (m_readSources.erase(id) > 0)
        return true;
    const auto timer = m_timers.find(id);
    if (timer == m_timers.end())
        return false;
    m_firingOrder.erase({timer->second.due, timer->second.order, id});
    m_timers.erase(timer);
    return true;
}

bool LoopTables::contains(std::uint64_t id) const {
    return m_readSources.contains(id) || m_timers.contains(id);
}

const LoopTables::ReadSource* LoopTables::readSource(std::uint64_t id) const {
    const auto source = m_readSources.find(id);
    return source == m_readSources.end() ? nullptr : &source->second;
}

std::optional<Nanoseconds> LoopTables::nextDue() const {
    if (m_firingOrder.empty())
        return std::nullopt;
    return std::get<0>(*m_firingOrder.begin());
}

std::vector<std::uint64_t> LoopTables::dueTimers(Nanoseconds now) const {
    std::vector<std::uint64_t> due;
    for (const auto& [time, order, id] : m_firingOrder) {
        if (time > now)
            break;
        due.push_back(id);
    }
    return due;
}

SharedCallback LoopTables::takeDueTimer(std::uint64_t id, Nanoseconds now) {
    const auto found = m_timers.find(id);
    if (found == m_timers.end())
        return nullptr;
    auto& timer = found->second;
    auto callback = timer.callback;
    if (timer.interval <= Nanoseconds::zero()) {
        remove(id);
        return callback;
    }
    // Keep the beat of the original schedule; a loop that fell behind skips the missed beats.
    auto next = timer.due + timer.interval;
    if (next <= now)
        next = now + timer.interval;
    schedule(id, timer, next);
    return callback;
}

void LoopTables::rebase(Nanoseconds oldNow, Nanoseconds newNow) {
    m_firingOrder.clear();
    for (auto& [id, timer] : m_timers) {
        timer.due = newNow + (timer.due - oldNow);
        m_firingOrder.insert({timer.due, timer.order, id});
    }
}

} // namespace dispatch
