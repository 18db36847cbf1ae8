// Which colour a colour selector pane edits: an account's colour (the key is the account's
// name) or a filter's ("Color Value N", the "hexColor" of record N of "filtersEnabled").
//   ColourKey key = ColourKey::parse("Color Value 3");   key.filterIndex == 3
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tintbox::pane {

inline constexpr std::string_view kFilterColourPrefix = "Color Value";

struct ColourKey {
    std::string text;
    // Set for a filter colour: the number after "Color Value " (0 when it is not a number).
    std::optional<int> filterIndex;

    static ColourKey parse(std::string_view text);
    bool isFilterColour() const { return filterIndex.has_value(); }
};

} // namespace tintbox::pane
