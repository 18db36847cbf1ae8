// A stand-in Mail launch for the tests of the real Tintbox.dylib: registers the test host
// classes (unless "--bare"), opens the library given as the last argument, which runs its
// constructor, and then launches as Mail would. Exit 0 when the launch answered true.
#include "platform/objc/objc.hpp"
#include "tests/mailhooks/test_host.hpp"

#include <cstdio>
#include <cstring>
#include <dlfcn.h>

using namespace tintbox::testing;

namespace {

objc::Ref<TestAccount> makeAccount(objc::Ref<TestAccount> account, const char* name) {
    account->name = name;
    return account;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: mailhooks_launch_probe [--bare] LIBRARY\n");
        return 2;
    }
    const bool bare = argc > 2 && std::strcmp(argv[1], "--bare") == 0;
    if (!bare) {
        registerTestHostClasses();
        activeTestAccounts() = {makeAccount(objc::make<TestAccount>(), "Work"),
                                makeAccount(objc::make<TestLocalAccount>(), "On My iPhone"),
                                makeAccount(objc::make<TestAccount>(), "Home")};
    }
    if (!dlopen(argv[argc - 1], RTLD_NOW)) {
        std::fprintf(stderr, "cannot open %s: %s\n", argv[argc - 1], dlerror());
        return 3;
    }
    if (bare)
        return 0;
    auto app = objc::make<TestMailApp>();
    const bool launched = objc::msgSend<bool(id, id)>(
        app, sel_registerName("application:didFinishLaunchingWithOptions:"), nil, nil);
    return launched && app->launches == 1 ? 0 : 1;
}
