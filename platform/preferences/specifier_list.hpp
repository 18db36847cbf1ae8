// Specifier lists: the platform's property-list format of a pane's rows, a dictionary whose
// "items" array holds one dictionary per row ("cell", "label", "key", "default", "id",
// "detail", "cellClass", "validValues", "validTitles", ...; resources/README.md lists them).
// Each item becomes a PSSpecifier whose properties are the item's entries.
//   PSSpecifierList rows = preferences::specifiersFromList(*list, pane, &errors);
#pragma once

#include "platform/foundation/value.hpp"
#include "platform/preferences/PSSpecifier.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace preferences {

// The cell type a list names ("PSSwitchCell", ...); nullopt for an unknown name.
std::optional<PSCellType> cellTypeNamed(std::string_view name);

// The specifiers of a list, targeting target with readPreferenceValue: and
// setPreferenceValue:specifier:. Items that are not dictionaries or name an unknown cell type
// are skipped, with one line each added to errors; an unknown "detail" or "cellClass" keeps
// the row (as a plain link or standard cell) and adds a line.
PSSpecifierList specifiersFromList(const foundation::Dictionary& list, id target,
                                   std::vector<std::string>* errors = nullptr);
// One item as a specifier; nil (and *error) when it cannot be one. *error may also be set
// for a specifier that is made (an unknown class name).
objc::Ref<PSSpecifier> specifierFromItem(const foundation::Dictionary& item, id target,
                                         std::string* error = nullptr);

} // namespace preferences
