// Entry names of a filter record (one dictionary per filter in the settings' filter lists).
// The matcher reads them; nothing else in the engine spells them out.
#pragma once

#include <string_view>

namespace tintbox::engine::filter_keys {

inline constexpr std::string_view kSubject = "subject";
inline constexpr std::string_view kFrom = "from";
inline constexpr std::string_view kTo = "to";
inline constexpr std::string_view kCc = "cc";
inline constexpr std::string_view kSubjectMatchType = "subjectMatchType";
inline constexpr std::string_view kFromMatchType = "fromMatchType";
inline constexpr std::string_view kToMatchType = "toMatchType";
inline constexpr std::string_view kCcMatchType = "ccMatchType";
inline constexpr std::string_view kHexColor = "hexColor";

// Match type values: an OR field needs one matching OR field beside it, an AND field must match.
inline constexpr int kMatchTypeOr = 0;
inline constexpr int kMatchTypeAnd = 1;

} // namespace tintbox::engine::filter_keys
