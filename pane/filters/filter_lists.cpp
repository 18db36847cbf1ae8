#include "pane/filters/filter_lists.hpp"

#include "settings/keys.hpp"

#include <algorithm>

namespace tintbox::pane {
namespace {

namespace record = settings::filter_record;

constexpr int kEnabled = static_cast<int>(FilterSection::Enabled);
constexpr int kDisabled = static_cast<int>(FilterSection::Disabled);
constexpr int kDelete = static_cast<int>(FilterSection::Delete);

foundation::Array listIn(const foundation::Dictionary& settings, std::string_view key) {
    const foundation::Value* list = foundation::find(settings, key);
    return list && list->asArray() ? *list->asArray() : foundation::Array{};
}

} // namespace

foundation::Dictionary newFilterRecord() {
    foundation::Dictionary filter;
    for (const auto& field : record::kPatternFields) {
        filter[std::string(field.pattern)] = foundation::Value("");
        filter[std::string(field.matchType)] = foundation::Value(record::kMatchTypeOr);
    }
    filter[std::string(record::kHexColor)] = foundation::Value(settings::kNoColourHex);
    return filter;
}

std::string filterRowText(const foundation::Value& filter) {
    const foundation::Dictionary* entries = filter.asDictionary();
    if (!entries)
        return {};
    for (const auto& field : record::kPatternFields)
        if (const foundation::Value* pattern = foundation::find(*entries, field.pattern))
            if (pattern->asString() && !pattern->asString()->empty())
                return *pattern->asString();
    return {};
}

FilterLists FilterLists::of(const foundation::Dictionary& settings) {
    return {listIn(settings, settings::kFiltersEnabled),
            listIn(settings, settings::kFiltersDisabled)};
}

void FilterLists::storeInto(foundation::Dictionary& settings) const {
    settings[std::string(settings::kFiltersEnabled)] = foundation::Value(enabled);
    settings[std::string(settings::kFiltersDisabled)] = foundation::Value(disabled);
}

int FilterLists::rowCount(int section) const {
    switch (section) {
    case kEnabled:
        return static_cast<int>(enabled.size());
    case kDisabled:
        return 1 + static_cast<int>(disabled.size());
    default:
        return 0;
    }
}

int FilterLists::indexOf(FilterPlace place) const {
    if (place.section == kEnabled && place.row >= 0 && place.row < rowCount(kEnabled))
        return place.row;
    if (place.section == kDisabled && place.row >= 1 && place.row < rowCount(kDisabled))
        return place.row - 1;
    return -1;
}

foundation::Array* FilterLists::listOf(int section) {
    return section == kEnabled ? &enabled : section == kDisabled ? &disabled : nullptr;
}

const foundation::Value* FilterLists::recordAt(FilterPlace place) const {
    const int index = indexOf(place);
    if (index < 0)
        return nullptr;
    const foundation::Array& list = place.section == kEnabled ? enabled : disabled;
    return &list[static_cast<std::size_t>(index)];
}

void FilterLists::add() {
    enabled.emplace_back(newFilterRecord());
}

bool FilterLists::move(FilterPlace from, FilterPlace to) {
    if (from.section == kDisabled && to.section == kDisabled)
        return false; // the disabled list keeps its order
    const int index = indexOf(from);
    if (index < 0 || to.section < kEnabled || to.section > kDelete || to.row < 0)
        return false;
    foundation::Array& source = *listOf(from.section);
    foundation::Value moved = std::move(source[static_cast<std::size_t>(index)]);
    source.erase(source.begin() + index);
    if (to.section == kDelete)
        return true;
    foundation::Array& destination = *listOf(to.section);
    // Dropped on the add row, a filter goes first among the disabled ones.
    const int wanted = to.section == kDisabled ? std::max(to.row - 1, 0) : to.row;
    const int at = std::min(wanted, static_cast<int>(destination.size()));
    destination.insert(destination.begin() + at, std::move(moved));
    return true;
}

bool FilterLists::remove(FilterPlace at) {
    const int index = indexOf(at);
    if (index < 0)
        return false;
    foundation::Array& list = *listOf(at.section);
    list.erase(list.begin() + index);
    return true;
}

} // namespace tintbox::pane
