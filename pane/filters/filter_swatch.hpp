// The colour of an enabled filter's row, as the filter list and the filter editor paint it: the
// filter's colour blended with white at the message list's filter opacity, with black or white
// text, so that the row looks like the band the message list will draw.
//   if (auto swatch = filterSwatch(settings, record)) paint(swatch->background, swatch->whiteText);
#pragma once

#include "engine/colour.hpp"
#include "platform/foundation/value.hpp"

#include <optional>

namespace tintbox::pane {

struct FilterSwatch {
    engine::Rgb8 background;
    bool whiteText{false};
    bool operator==(const FilterSwatch&) const = default;
};

// The opacity of filter bands in the message list: "listAlphaLevelFilters" (1.0 without it),
// or, when filters use the account options, "listAlphaLevel" (0.25 without it).
float filterListOpacity(const foundation::Dictionary& settings);

// The swatch of a filter record; nullopt when it has no "hexColor" (the row stays white).
std::optional<FilterSwatch> filterSwatch(const foundation::Dictionary& settings,
                                         const foundation::Value& record);

} // namespace tintbox::pane
