#include "pane/filters/filter_swatch.hpp"

#include "settings/keys.hpp"

namespace tintbox::pane {
namespace {

constexpr float kOwnOpacityWithoutLevel = 1.0f;
constexpr float kAccountOpacityWithoutLevel = 0.25f;

float opacityOf(const foundation::Dictionary& settings, std::string_view key, float fallback) {
    const foundation::Value* level = foundation::find(settings, key);
    return level ? settings::opacityFromAlphaLevel(level->intValue()) : fallback;
}

} // namespace

float filterListOpacity(const foundation::Dictionary& settings) {
    const foundation::Value* useAccount =
        foundation::find(settings, settings::kUseAccountSettingsForListFilters);
    if (useAccount && useAccount->boolValue())
        return opacityOf(settings, settings::kListAlphaLevel, kAccountOpacityWithoutLevel);
    return opacityOf(settings, settings::kListAlphaLevelFilters, kOwnOpacityWithoutLevel);
}

std::optional<FilterSwatch> filterSwatch(const foundation::Dictionary& settings,
                                         const foundation::Value& record) {
    const foundation::Value* hex =
        record.asDictionary()
            ? foundation::find(*record.asDictionary(), settings::filter_record::kHexColor)
            : nullptr;
    if (!hex)
        return std::nullopt;
    const std::string text = hex->asString() ? *hex->asString() : std::string();
    const engine::ColourValue value = engine::paneClamp(engine::parseHexColour(text));
    const engine::Rgb8 blended =
        engine::whiteBlend(engine::channelsOf(value), filterListOpacity(settings));
    return FilterSwatch{blended, engine::useWhiteFont(blended)};
}

} // namespace tintbox::pane
