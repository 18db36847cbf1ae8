// The account registry for the settings pane on systems where it cannot list the accounts
// itself: at every launch of Mail, after Mail's own launch work, the display names of its mail
// accounts (local ones left out) are written as name -> "YES".
//   installAccountRegistryHook(objc_getClass(host::kMailAppController));   // iOS 7 only
#pragma once

#include "platform/foundation/value.hpp"
#include "platform/objc/types.hpp"

namespace tintbox::mailhooks {

// The registry of the accounts Mail has now: every non-local account's display name -> "YES".
foundation::Dictionary accountRegistry();

// Replaces application:didFinishLaunchingWithOptions: so that it rewrites the registry file.
void installAccountRegistryHook(Class mailAppController);

} // namespace tintbox::mailhooks
