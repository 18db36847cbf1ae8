// Which colour a colour selector pane edits, and where that colour is stored: an account's
// colour (the key is the account's name, the entry of that name) or a filter's ("Color Value N",
// the "hexColor" of record N of "filtersEnabled"). Shared by the pane and the command line.
//   ColourKey key = ColourKey::parse("Color Value 3");   key.filterIndex == 3
//   const foundation::Value* stored = key.storedEntry(settings);
#pragma once

#include "platform/foundation/value.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace tintbox::settings {

inline constexpr std::string_view kFilterColourPrefix = "Color Value";

struct ColourKey {
    std::string text;
    // Set for a filter colour: the number after "Color Value " (0 when it is not a number).
    std::optional<int> filterIndex;

    static ColourKey parse(std::string_view text);
    bool isFilterColour() const { return filterIndex.has_value(); }

    // The entry that holds the colour in a settings dictionary: the account's entry, or the
    // "hexColor" of the filter's record; null when the entry, the list or the record is missing.
    const foundation::Value* storedEntry(const foundation::Dictionary& settings) const;
};

} // namespace tintbox::settings
