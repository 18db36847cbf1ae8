// The filter editor's search formula: the filled-in fields of a filter in the words the mail
// extension applies them, the OR group in parentheses before the AND fields.
//   searchFormula({{{0, true}, {0, true}, {1, true}, {1, true}}})
//       == "(From OR To) AND Cc AND Subject"
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tintbox::pane {

// One pattern field as the editor tracks it.
struct FilterFieldState {
    std::int32_t matchType{0}; // 0 joins the OR group, 1 the AND group, others neither
    bool filled{false};        // the pattern is not empty
};

// In the order of the record's fields: from, to, cc, subject.
using FilterFieldStates = std::array<FilterFieldState, 4>;

// Empty when no field is filled in.
std::string searchFormula(const FilterFieldStates& fields);

} // namespace tintbox::pane
