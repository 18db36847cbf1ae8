// The filter matcher: which filters of the ordered filter list a message fits, as the colours
// of the first kMaxStripes matching filters in list order. Build a FilterSet once per filter
// list (each distinct pattern is compiled then) and call match() for each message; the cost of
// a message grows with the number of filters only.
#pragma once

#include "engine/pattern_set.hpp"
#include "platform/foundation/value.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tintbox::engine {

inline constexpr std::size_t kMaxStripes = 5;

// A message as the host gives it: each address exactly as the host spells it; an absent
// field or an empty list takes no part in any filter.
struct MessageFields {
    std::optional<std::string> subject;
    std::optional<std::vector<std::string>> senders;
    std::optional<std::vector<std::string>> to;
    std::optional<std::vector<std::string>> cc;
};

struct MatchResult {
    // The "hexColor" of each matching filter, in filter order; at most kMaxStripes. A filter
    // without a string colour contributes "", which parses to no colour.
    std::vector<std::string> colours;

    bool anyMatched() const { return !colours.empty(); }
};

// Filters are filter records. A pattern that is absent, empty or not a string takes no part;
// a pattern that does not compile takes part and never matches. Match types are read with
// intValue: 1 is AND, 0 or absent is OR.
class FilterSet {
public:
    FilterSet() = default;
    explicit FilterSet(const std::vector<foundation::Dictionary>& filters,
                       SearchLimits limits = {});

    // By value: the texts of a message made for the call are moved, not copied.
    MatchResult match(MessageFields message);

    bool empty() const { return m_filters.empty(); }
    const PatternSet& patterns() const { return m_patterns; }

private:
    // One field of a record as it takes part: its pattern and its stored match type.
    struct Field {
        PatternSet::Id pattern{0};
        std::optional<std::int32_t> matchType;
    };
    struct Filter {
        std::optional<Field> subject;
        std::optional<Field> from;
        std::optional<Field> to;
        std::optional<Field> cc;
        std::string colour;
    };

    PatternSet m_patterns;
    std::vector<Filter> m_filters;
};

} // namespace tintbox::engine
