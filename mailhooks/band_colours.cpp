#include "mailhooks/band_colours.hpp"

#include "engine/colour.hpp"

namespace tintbox::mailhooks {
namespace {

std::optional<quartz::Color> opaqueMailColour(std::string_view hexColour) {
    const auto colour = engine::mailColour(engine::parseHexColour(hexColour), 1.0);
    if (!colour)
        return std::nullopt;
    return quartz::Color{colour->red, colour->green, colour->blue, 1.0};
}

} // namespace

BandGradient stripeGradient(const std::vector<std::string>& hexColours) {
    BandGradient gradient;
    const float count = static_cast<float>(hexColours.size());
    for (std::size_t i = 0; i < hexColours.size(); ++i) {
        const quartz::Color colour = stripeColour(hexColours[i]);
        gradient.colours.push_back(colour);
        gradient.colours.push_back(colour);
        gradient.locations.push_back(static_cast<float>(i) / count);
        gradient.locations.push_back(static_cast<float>(i + 1) / count);
    }
    return gradient;
}

BandGradient clearGradient() {
    return {{quartz::Color::clear(), quartz::Color::clear()}, {0.0, 1.0}};
}

std::vector<quartz::Color> solidColours(quartz::Color colour) {
    return {colour, colour};
}

quartz::Color stripeColour(std::string_view hexColour) {
    return opaqueMailColour(hexColour).value_or(quartz::Color::white());
}

std::optional<quartz::Color> accountColour(const std::optional<foundation::Dictionary>& settings,
                                           std::string_view accountName) {
    if (!settings)
        return std::nullopt;
    const foundation::Value* entry = foundation::find(*settings, accountName);
    const std::string* hexColour = entry ? entry->asString() : nullptr;
    if (!hexColour)
        return std::nullopt;
    return opaqueMailColour(*hexColour);
}

} // namespace tintbox::mailhooks
