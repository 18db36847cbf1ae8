// The two filter lists as the filter list pane shows and changes them: section 0 the enabled
// filters, section 1 the add row followed by the disabled filters, section 2 a drop target that
// deletes what lands on it. Pure list logic on the settings dictionary, testable without a table.
//   FilterLists lists = FilterLists::of(settings);
//   lists.move({0, 2}, {1, 0});   lists.storeInto(settings);
#pragma once

#include "platform/foundation/value.hpp"

#include <string>

namespace tintbox::pane {

enum class FilterSection : int {
    Enabled = 0,  // one row per entry of "filtersEnabled"
    Disabled = 1, // the add row, then one row per entry of "filtersDisabled"
    Delete = 2,   // no rows; a filter dropped here is deleted
};
inline constexpr int kFilterSectionCount = 3;

// A row of the filter table (or, for a drop, the place it lands on).
struct FilterPlace {
    int section{0};
    int row{0};
    bool operator==(const FilterPlace&) const = default;
};

inline constexpr FilterPlace kAddRow{static_cast<int>(FilterSection::Disabled), 0};

// A filter record as the add row makes it: four empty patterns, all joined by OR, no colour.
foundation::Dictionary newFilterRecord();

// What a filter row shows: the first of "from", "to", "cc", "subject" that is a non-empty
// string; empty when there is none (or the record is not a dictionary).
std::string filterRowText(const foundation::Value& record);

struct FilterLists {
    foundation::Array enabled;
    foundation::Array disabled;

    // The lists of a settings dictionary; a missing list (or one that is not an array) is empty.
    static FilterLists of(const foundation::Dictionary& settings);
    // Stores both lists, whether or not the settings had them.
    void storeInto(foundation::Dictionary& settings) const;

    int rowCount(int section) const;
    // The record a row shows; nullptr for the add row and for places outside the lists.
    const foundation::Value* recordAt(FilterPlace place) const;

    // Appends a new record to the enabled list.
    void add();
    // A drag from one row to a place: between and within the enabled and disabled lists, or
    // into the delete section. Reordering the disabled list is refused, as are the add row and
    // places outside the table. Answers whether the lists changed.
    bool move(FilterPlace from, FilterPlace to);
    // Deletes the filter of a row. Answers whether the lists changed.
    bool remove(FilterPlace at);

    bool operator==(const FilterLists&) const = default;

private:
    foundation::Array* listOf(int section);
    // The index in its list of the filter a row shows; -1 for the add row or no filter.
    int indexOf(FilterPlace place) const;
};

} // namespace tintbox::pane
