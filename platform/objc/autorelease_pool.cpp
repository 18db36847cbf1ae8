#include "platform/objc/autorelease_pool.hpp"

#include "platform/objc/fatal_error.hpp"

#include <cstdint>

namespace {
thread_local std::uintptr_t t_openPools = 0;
}

void* objc_autoreleasePoolPush() {
    return reinterpret_cast<void*>(++t_openPools);
}

void objc_autoreleasePoolPop(void* token) {
    auto depth = reinterpret_cast<std::uintptr_t>(token);
    if (depth == 0 || depth > t_openPools)
        objc::detail::fail("objc_autoreleasePoolPop with a pool that is not open");
    t_openPools = depth - 1;
}
