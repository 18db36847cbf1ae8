#include "engine/pattern_cache.hpp"

namespace tintbox::engine {

PatternCache::PatternCache(std::size_t capacity, SearchLimits limits)
    : m_capacity(capacity), m_limits(limits) {}

Regex& PatternCache::expressionFor(std::string_view pattern) {
    if (m_capacity == 0) {
        m_uncached.emplace(pattern, m_limits);
        return *m_uncached;
    }
    if (const auto found = m_index.find(pattern); found != m_index.end()) {
        m_entries.splice(m_entries.begin(), m_entries, found->second);
        return found->second->regex;
    }
    if (m_entries.size() >= m_capacity) {
        m_index.erase(m_entries.back().pattern);
        m_entries.pop_back();
    }
    m_entries.push_front(Entry{std::string(pattern), Regex(pattern, m_limits)});
    m_index.emplace(m_entries.front().pattern, m_entries.begin());
    return m_entries.front().regex;
}

SearchOutcome PatternCache::search(std::string_view pattern, const SearchText& text) {
    return expressionFor(pattern).search(text);
}

SearchOutcome PatternCache::search(std::string_view pattern, std::string_view utf8Text) {
    return search(pattern, SearchText(utf8Text));
}

SearchOutcome PatternCache::searchEach(std::string_view pattern,
                                       std::span<const SearchText> texts) {
    Regex& regex = expressionFor(pattern);
    SearchOutcome outcome = SearchOutcome::NotFound;
    for (const SearchText& text : texts) {
        switch (regex.search(text)) {
        case SearchOutcome::Found:
            return SearchOutcome::Found;
        case SearchOutcome::NoExpression:
            return SearchOutcome::NoExpression;
        case SearchOutcome::Abandoned:
            outcome = SearchOutcome::Abandoned;
            break;
        case SearchOutcome::NotFound:
            break;
        }
    }
    return texts.empty() && !regex.compiled() ? SearchOutcome::NoExpression : outcome;
}

} // namespace tintbox::engine
