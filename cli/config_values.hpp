// What the configuration commands accept from a user, checked before anything is written:
// colours, account names and filter numbers, each refused with one line that says what would
// have been right.
//   const std::string hex = hexColourArgument("--colour", "2e7d32");   // "#2E7D32"
#pragma once

#include "platform/foundation/value.hpp"

#include <string>
#include <vector>

namespace tintbox::cli {

// "#RRGGBB" or "RRGGBB" in either case, answered as the pane writes it ("#" and upper case);
// UsageError for anything else.
std::string hexColourArgument(const std::string& option, const std::string& text);

// The names of the device's accounts, in the accounts file's order.
std::vector<std::string> deviceAccountNames();
// The account's name as the device has it, matched without regard to case when that is
// unambiguous; InputError naming the accounts and the nearest ones otherwise.
std::string deviceAccountNamed(const std::string& name);

// N of "filter N" / "Color Value N": a whole number from 0 below `count` (the enabled
// filters); UsageError otherwise.
std::size_t filterNumber(const std::string& text, std::size_t count,
                         const std::string& what = "filter");

} // namespace tintbox::cli
