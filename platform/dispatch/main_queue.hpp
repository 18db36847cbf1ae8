// The platform's dispatch names over the main run loop: dispatch_after(dispatch_time(...),
// dispatch_get_main_queue(), block) and dispatch_async. Only the main queue exists; times are
// nanoseconds on the main loop's clock, so they follow its virtual clock in tests.
#pragma once

#include <cstdint>
#include <functional>

namespace dispatch {

using dispatch_time_t = std::uint64_t;
using dispatch_block_t = std::function<void()>;

inline constexpr dispatch_time_t DISPATCH_TIME_NOW = 0;
inline constexpr dispatch_time_t DISPATCH_TIME_FOREVER = ~dispatch_time_t{0};
inline constexpr std::int64_t NSEC_PER_SEC = 1'000'000'000;
inline constexpr std::int64_t NSEC_PER_MSEC = 1'000'000;

struct dispatch_queue_s; // the main queue is the only one
using dispatch_queue_t = dispatch_queue_s*;

dispatch_queue_t dispatch_get_main_queue();

// `when` (DISPATCH_TIME_NOW for now) moved by `deltaNanoseconds`; FOREVER stays FOREVER.
dispatch_time_t dispatch_time(dispatch_time_t when, std::int64_t deltaNanoseconds);

// Runs `block` on the main run loop at `when` (at once if it has passed; never for FOREVER).
// Any queue but the main queue is a programming error (std::invalid_argument).
void dispatch_after(dispatch_time_t when, dispatch_queue_t queue, dispatch_block_t block);
void dispatch_async(dispatch_queue_t queue, dispatch_block_t block);

} // namespace dispatch
