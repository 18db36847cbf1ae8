#include "platform/dispatch/main_queue.hpp"

#include "platform/dispatch/run_loop.hpp"

#include <limits>
#include <stdexcept>

namespace dispatch {

struct dispatch_queue_s {
    RunLoop& loop;
};

namespace {

RunLoop& loopOf(dispatch_queue_t queue) {
    if (queue != dispatch_get_main_queue())
        throw std::invalid_argument("only the main queue exists");
    return queue->loop;
}

dispatch_time_t currentTime() {
    const auto now = RunLoop::main().nowNanoseconds().count();
    return now > 0 ? static_cast<dispatch_time_t>(now) : DISPATCH_TIME_NOW;
}

} // namespace

dispatch_queue_t dispatch_get_main_queue() {
    static dispatch_queue_s mainQueue{RunLoop::main()};
    return &mainQueue;
}

dispatch_time_t dispatch_time(dispatch_time_t when, std::int64_t deltaNanoseconds) {
    if (when == DISPATCH_TIME_FOREVER)
        return DISPATCH_TIME_FOREVER;
    const dispatch_time_t base = when == DISPATCH_TIME_NOW ? currentTime() : when;
    if (deltaNanoseconds < 0) {
        const auto back = static_cast<dispatch_time_t>(-(deltaNanoseconds + 1)) + 1;
        return back >= base ? DISPATCH_TIME_NOW : base - back;
    }
    const auto forward = static_cast<dispatch_time_t>(deltaNanoseconds);
    return forward >= DISPATCH_TIME_FOREVER - base ? DISPATCH_TIME_FOREVER - 1 : base + forward;
}

void dispatch_after(dispatch_time_t when, dispatch_queue_t queue, dispatch_block_t block) {
    auto& loop = loopOf(queue);
    if (when == DISPATCH_TIME_FOREVER)
        return;
    const dispatch_time_t now = currentTime();
    const dispatch_time_t delay = when > now ? when - now : 0;
    loop.dispatchAfter(static_cast<double>(delay) / NSEC_PER_SEC, std::move(block));
}

void dispatch_async(dispatch_queue_t queue, dispatch_block_t block) {
    loopOf(queue).dispatchAsync(std::move(block));
}

} // namespace dispatch
