// Highlighting of Mail's message list: every MailboxContentViewCell gets an account band and a
// filter band, created with the cell, placed at layout and coloured for each message it shows.
//   installMessageListHooks(objc_getClass(host::kMailboxContentViewCell));   // at load
#pragma once

#include "platform/objc/types.hpp"

namespace tintbox::mailhooks {

// Replaces layoutSubviews, initWithStyle:reuseIdentifier: and setMessage:threaded:, in this order.
void installMessageListHooks(Class mailboxContentViewCell);

} // namespace tintbox::mailhooks
