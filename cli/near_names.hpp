// Names close to a mistyped one, for "did you mean" in errors: edit distance without regard to
// case, so "persona" finds "Personal" and "Lists.dve" finds "Lists/dev".
//   throw InputError("no account named 'x'" + didYouMean("x", names));
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tintbox::cli {

// Up to `count` candidates within a few edits of word, nearest first.
std::vector<std::string> nearestNames(std::string_view word,
                                      const std::vector<std::string>& candidates,
                                      std::size_t count = 3);
// " (did you mean 'a' or 'b'?)", or "" when nothing is near.
std::string didYouMean(std::string_view word, const std::vector<std::string>& candidates);
// "a, b or c"; "none" for an empty list.
std::string listOfNames(const std::vector<std::string>& names, std::string_view quote = "");

} // namespace tintbox::cli
