#include "mailhooks/account_registry.hpp"

#include "host/mail.hpp"
#include "host/mail_names.hpp"
#include "platform/foundation/device_path.hpp"
#include "platform/foundation/property_list.hpp"
#include "platform/objc/objc.hpp"
#include "settings/keys.hpp"

namespace tintbox::mailhooks {
namespace {

bool (*hostDidFinishLaunching)(id, SEL, id, id) = nullptr;

bool didFinishLaunching(id self, SEL cmd, id application, id launchOptions) {
    const bool launched = hostDidFinishLaunching(self, cmd, application, launchOptions);
    // A failed write keeps the previous registry; Mail's launch goes on either way.
    foundation::writePropertyListAtomically(
        foundation::Value(accountRegistry()),
        foundation::devicePath(settings::kAccountRegistryFilePath));
    return launched;
}

} // namespace

foundation::Dictionary accountRegistry() {
    foundation::Dictionary registry;
    for (const objc::Ref<NSObject>& account : host::activeAccounts())
        if (!host::isLocalAccount(account.get()))
            registry[host::displayName(account.get())] =
                foundation::Value(settings::kAccountRegistryValue);
    return registry;
}

void installAccountRegistryHook(Class mailAppController) {
    MSHookMessageEx(mailAppController, sel_registerName(host::sel::kApplicationDidFinishLaunching),
                    &didFinishLaunching, &hostDidFinishLaunching);
}

} // namespace tintbox::mailhooks
