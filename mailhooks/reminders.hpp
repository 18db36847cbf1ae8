// Reminders from the message list: a long press on a message builds a reminder (title from the
// subject, notes from the body, a link back to the message) and asks for its due date.
//   installReminderHooks(objc_getClass(host::kMailboxContentViewController));
#pragma once

#include "platform/objc/types.hpp"

namespace tintbox::mailhooks {

void installReminderHooks(Class mailboxContentViewController);

} // namespace tintbox::mailhooks
