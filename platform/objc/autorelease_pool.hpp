// Autorelease pools. This runtime hands out owned results through objc::Ref, so nothing is
// ever autoreleased and a pool only marks a scope; the calls exist so that load-time code
// keeps the platform's shape:
//   objc::AutoreleasePool pool;   // or objc_autoreleasePoolPush() ... objc_autoreleasePoolPop(p)
#pragma once

// Opens a pool; the token closes it (and every pool opened inside it).
void* objc_autoreleasePoolPush();
// Closes the pool of token; a token of a pool already closed stops the program.
void objc_autoreleasePoolPop(void* token);

namespace objc {

class AutoreleasePool {
public:
    AutoreleasePool() : m_token(objc_autoreleasePoolPush()) {}
    ~AutoreleasePool() { objc_autoreleasePoolPop(m_token); }
    AutoreleasePool(const AutoreleasePool&) = delete;
    AutoreleasePool& operator=(const AutoreleasePool&) = delete;

private:
    void* m_token{nullptr};
};

} // namespace objc
