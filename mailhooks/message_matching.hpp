// A host message matched against the snapshot's filter list: the message's subject, senders, To
// and Cc addresses, read through the host, searched with the extension's pattern cache.
//   engine::MatchResult result = matchMessage(message);   // colours of up to five filters
#pragma once

#include "engine/matcher.hpp"
#include "platform/objc/types.hpp"

namespace tintbox::mailhooks {

engine::MessageFields messageFields(id message);

// No match when the filter list is empty.
engine::MatchResult matchMessage(id message);

} // namespace tintbox::mailhooks
