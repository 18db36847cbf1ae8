// The platform's case-insensitive comparison of strings (caseInsensitiveCompare:): both texts
// decomposed (so that "é" written as one character or as "e" and an accent compare equal), case
// folded over all of Unicode, then compared in UTF-16 code units. Accented letters thus sort
// with their base letters: "alpha" < "édith" < "Émile" < "Zoë".
//   std::sort(names.begin(), names.end(), [](auto& a, auto& b) { return caseInsensitiveCompare(a,
//   b) < 0; });
#pragma once

#include <string_view>

namespace foundation {

// Negative, zero or positive as first sorts before, with or after second.
int caseInsensitiveCompare(std::string_view first, std::string_view second);

} // namespace foundation
