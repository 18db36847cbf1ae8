// The distinct patterns of a filter list, each compiled once, at its first search (a list that
// is never searched, as for the mailbox list, compiles nothing), and kept for every search until
// the list is read again. A pattern whose search once runs into its time or
// stack bound is retired: it is never searched again and simply finds nothing, so that one bad
// pattern costs one time limit rather than one per message. Searching changes matcher state:
// one set per thread.
#pragma once

#include "engine/regex.hpp"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tintbox::engine {

class PatternSet {
public:
    using Id = std::size_t;

    explicit PatternSet(SearchLimits limits = {}) : m_limits(limits) {}

    PatternSet(PatternSet&&) noexcept = default;
    PatternSet& operator=(PatternSet&&) noexcept = default;

    // Adds the pattern unless the set holds it already; the same text gives the same id.
    Id add(std::string_view pattern);

    SearchOutcome search(Id pattern, const SearchText& text);

    // Searches the texts in order and stops at the first that matches. Abandoned only when no
    // text matched and a search hit its bound.
    SearchOutcome searchEach(Id pattern, std::span<const SearchText> texts);

    std::size_t size() const { return m_entries.size(); }
    const std::string& text(Id pattern) const { return m_entries[pattern].text; }
    bool retired(Id pattern) const { return m_entries[pattern].retired; }

    // The patterns retired so far, in the order they were added.
    std::vector<std::string> retiredPatterns() const;

private:
    struct Entry {
        std::string text;
        std::optional<std::vector<std::string>> literals; // one of which every match holds
        std::optional<Regex> regex;                       // compiled at the first search
        bool retired{false};
    };

    Regex& regexOf(Entry& entry);

    SearchLimits m_limits{};
    std::vector<Entry> m_entries;
    std::unordered_map<std::string, Id> m_ids;
};

} // namespace tintbox::engine
