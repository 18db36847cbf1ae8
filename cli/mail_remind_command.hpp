// tintbox mail remind: a reminder made from a message as a person makes it in Mail.
#pragma once

#include "cli/arguments.hpp"

#include <ostream>

namespace tintbox::cli {

// --message ID --due YYYY-MM-DDTHH:MM[:SS] [--cancel]: opens the message's mailbox in the
// message list, long-presses its row, spins the date picker to the due time (local time) and
// answers Add (or Cancel). Prints the reminder file written; an error alert's text goes to
// standard error with exit status 1. The command itself is mailRemindCommand() of commands.hpp.

} // namespace tintbox::cli
