// tintbox mail quick-filter and tintbox mail mark-move: the message list's toolbar conveniences
// of the mail extension, driven in the Mail stand-in as a user would (a tap on the quick filter
// bar's segment; edit mode, rows chosen, a long press on Move and a mailbox in the move sheet).
// They fail clearly, changing nothing, when the extension does not offer them.
#pragma once

#include "cli/arguments.hpp"

#include <optional>
#include <ostream>
#include <string>

namespace tintbox::cli {

// "all", "unread", "flagged" -> the host's source type 0, 3, 2; UsageError for anything else.
long sourceTypeNamed(const std::string& option, const std::string& name);

} // namespace tintbox::cli
