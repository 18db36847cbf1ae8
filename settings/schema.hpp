// The parts of the settings schema that the labelling engine reads as well: the entries of a
// filter record and the meaning of an alpha level. Header only, so that engine/ can share these
// names without linking the settings store.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tintbox::settings {

// An alpha level (whole percent) as an opacity 0.0 to 1.0, divided in single precision.
constexpr float opacityFromAlphaLevel(std::int32_t alphaLevel) {
    return static_cast<float>(alphaLevel) / 100.0f;
}

// Entries of a FilterRecord, one dictionary of filtersEnabled / filtersDisabled.
namespace filter_record {
inline constexpr std::string_view kFrom = "from";
inline constexpr std::string_view kTo = "to";
inline constexpr std::string_view kCc = "cc";
inline constexpr std::string_view kSubject = "subject";
inline constexpr std::string_view kFromMatchType = "fromMatchType";
inline constexpr std::string_view kToMatchType = "toMatchType";
inline constexpr std::string_view kCcMatchType = "ccMatchType";
inline constexpr std::string_view kSubjectMatchType = "subjectMatchType";
inline constexpr std::string_view kHexColor = "hexColor";
// A record carrying this entry is never used by the mail extension.
inline constexpr std::string_view kString = "string";

// How a pattern combines with the record's other patterns; an absent match type is Or.
inline constexpr std::int32_t kMatchTypeOr = 0;
inline constexpr std::int32_t kMatchTypeAnd = 1;

// One matched field: its pattern entry and the entry of its match type.
struct PatternField {
    std::string_view pattern;
    std::string_view matchType;
};

inline constexpr std::array kPatternFields{
    PatternField{kFrom, kFromMatchType},
    PatternField{kTo, kToMatchType},
    PatternField{kCc, kCcMatchType},
    PatternField{kSubject, kSubjectMatchType},
};
} // namespace filter_record

} // namespace tintbox::settings
