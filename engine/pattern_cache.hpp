// Compiled filter patterns kept by their text, so that a pattern is compiled once rather than
// at every search. The cache is bounded (least recently used patterns go first) and changes no
// result; capacity 0 compiles at every use. One cache per thread: searching changes its state.
#pragma once

#include "engine/regex.hpp"

#include <cstddef>
#include <list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tintbox::engine {

class PatternCache {
public:
    explicit PatternCache(std::size_t capacity = 256, SearchLimits limits = {});

    PatternCache(const PatternCache&) = delete;
    PatternCache& operator=(const PatternCache&) = delete;

    SearchOutcome search(std::string_view pattern, const SearchText& text);
    SearchOutcome search(std::string_view pattern, std::string_view utf8Text);

    // Searches the texts in order and stops at the first that matches. Abandoned only when no
    // text matched and at least one search hit its bound.
    SearchOutcome searchEach(std::string_view pattern, std::span<const SearchText> texts);

    std::size_t capacity() const { return m_capacity; }
    std::size_t size() const { return m_entries.size(); }

private:
    struct Entry {
        std::string pattern;
        Regex regex;
    };
    using Entries = std::list<Entry>;

    Regex& expressionFor(std::string_view pattern);

    std::size_t m_capacity{256};
    SearchLimits m_limits{};
    Entries m_entries;                                               // most recently used first
    std::unordered_map<std::string_view, Entries::iterator> m_index; // keys view into m_entries
    std::optional<Regex> m_uncached; // the one expression at capacity 0
};

} // namespace tintbox::engine
