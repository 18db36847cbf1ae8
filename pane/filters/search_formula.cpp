#include "pane/filters/search_formula.hpp"

#include "settings/schema.hpp"

#include <optional>
#include <string_view>

namespace tintbox::pane {
namespace {

constexpr std::array<std::string_view, 4> kFieldLabels{"From", "To", "Cc", "Subject"};

void join(std::optional<std::string>& group, std::string_view word, std::string_view label) {
    if (!group)
        group = std::string(label);
    else
        // Appended piece by piece: GCC 12 mistakes a literal prefixed to a temporary string for
        // an overlapping copy at -O3.
        group->append(" ").append(word).append(" ").append(label);
}

} // namespace

std::string searchFormula(const FilterFieldStates& fields) {
    std::optional<std::string> anyOf;
    std::optional<std::string> allOf;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (!fields[i].filled)
            continue;
        if (fields[i].matchType == settings::filter_record::kMatchTypeOr)
            join(anyOf, "OR", kFieldLabels[i]);
        else if (fields[i].matchType == settings::filter_record::kMatchTypeAnd)
            join(allOf, "AND", kFieldLabels[i]);
    }
    if (anyOf && allOf)
        return "(" + *anyOf + ") AND " + *allOf;
    return anyOf ? *anyOf : allOf.value_or(std::string());
}

} // namespace tintbox::pane
