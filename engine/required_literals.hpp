// What a pattern's every match must contain, so that a search of a text without it can be
// skipped: for each top-level alternative, the ASCII text it starts with (lower case, after
// zero-width assertions such as ^ and \b), as the case-insensitive search compares it. Most mail
// filters are such alternatives of names and addresses ("lovelace|babbage", "billing@"), and a
// check for them costs a fraction of a search.
//   const auto literals = requiredLiterals("newsletter|no-?reply"); // {"newsletter", "no"}
//   if (literals && folded && !containsAny(*folded, *literals)) { /* no match */ }
// The text is checked in its full case folding, as the search compares it: lowering ASCII alone
// would miss other characters that fold onto ASCII letters (the Kelvin sign onto k, ß onto ss).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintbox::engine {

// nullopt when the pattern cannot be reasoned about here (an alternative that may start with
// anything, groups with flags, quoting) or when some alternative may match without any
// character of its own.
std::optional<std::vector<std::string>> requiredLiterals(std::string_view pattern);

// The text in lower case when it is all ASCII, else nullopt.
std::optional<std::string> asciiLowercase(std::string_view text);
// The text's full case folding (Unicode's default, as ICU's case-insensitive matching uses);
// nullopt when ICU cannot fold it.
std::optional<std::string> caseFolded(std::string_view text);

bool containsAny(std::string_view lowercaseText, const std::vector<std::string>& literals);

} // namespace tintbox::engine
