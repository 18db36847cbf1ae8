// A plug-in for the loader tests: when opened, it hooks -[TweakTarget greeting] of the test
// binary, calling the previous implementation inside its own.
#include "platform/objc/objc.hpp"

#include <string>

namespace {

std::string (*previousGreeting)(id, SEL);

std::string tweakedGreeting(id self, SEL cmd) {
    return "tweak+" + previousGreeting(self, cmd);
}

__attribute__((constructor)) void installHooks() {
    objc::AutoreleasePool pool;
    MSHookMessageEx(objc_getClass("TweakTarget"), sel_registerName("greeting"), &tweakedGreeting,
                    &previousGreeting);
}

} // namespace
