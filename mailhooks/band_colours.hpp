// Which colours a band shows: the stripes of the matching filters and the colour of an account,
// as plain colour values. A filter colour that does not parse (or stands for white) is a white
// stripe; an account colour that does not parse is no colour at all.
//   auto stripes = stripeGradient(result.colours);  layer->setColors(stripes.colours);
#pragma once

#include "platform/foundation/value.hpp"
#include "platform/quartz/color.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintbox::mailhooks {

// The colour list and stop list of a gradient layer.
struct BandGradient {
    std::vector<quartz::Color> colours;
    std::vector<double> locations;
    bool operator==(const BandGradient&) const = default;
};

// n equal stripes, the first colour's at the start of the gradient axis: each colour twice,
// with the stops i / n and (i + 1) / n computed in single precision.
BandGradient stripeGradient(const std::vector<std::string>& hexColours);

// Nothing to show: (clear, clear) with the stops (0, 1).
BandGradient clearGradient();

// One colour over the whole band: (colour, colour); the stops are left as they are.
std::vector<quartz::Color> solidColours(quartz::Color colour);

// A filter's stripe: the opaque colour of the string, or white when it carries no mail colour.
quartz::Color stripeColour(std::string_view hexColour);

// The opaque colour stored as a string under the account's name in the settings dictionary;
// nothing when there is no entry, it is not a string, or it carries no mail colour.
std::optional<quartz::Color> accountColour(const std::optional<foundation::Dictionary>& settings,
                                           std::string_view accountName);

} // namespace tintbox::mailhooks
