// The filter matcher: which filters of the ordered filter list a message fits, as the colours
// of the first kMaxStripes matching filters in list order. Callers take the message fields
// from the host, keep one PatternCache for the thread, and call match() for each message.
#pragma once

#include "engine/pattern_cache.hpp"
#include "platform/foundation/value.hpp"

#include <cstddef>
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
MatchResult match(const MessageFields& message, const std::vector<foundation::Dictionary>& filters,
                  PatternCache& patterns);

} // namespace tintbox::engine
