#include "engine/pattern_set.hpp"

#include "engine/required_literals.hpp"

namespace tintbox::engine {

PatternSet::Id PatternSet::add(std::string_view pattern) {
    std::string key(pattern);
    if (const auto found = m_ids.find(key); found != m_ids.end())
        return found->second;
    const Id id = m_entries.size();
    m_entries.push_back(Entry{key, requiredLiterals(pattern), std::nullopt});
    m_ids.emplace(std::move(key), id);
    return id;
}

Regex& PatternSet::regexOf(Entry& entry) {
    if (!entry.regex)
        entry.regex.emplace(entry.text, m_limits);
    return *entry.regex;
}

SearchOutcome PatternSet::search(Id pattern, const SearchText& text) {
    Entry& entry = m_entries[pattern];
    if (entry.retired)
        return SearchOutcome::Abandoned;
    Regex& regex = regexOf(entry);
    if (!regex.compiled())
        return SearchOutcome::NoExpression;
    // A text without any literal a match needs is not searched.
    if (entry.literals)
        if (const std::string* folded = text.caseFolded();
            folded && !containsAny(*folded, *entry.literals))
            return SearchOutcome::NotFound;
    const SearchOutcome outcome = regex.search(text);
    if (outcome == SearchOutcome::Abandoned)
        entry.retired = true;
    return outcome;
}

SearchOutcome PatternSet::searchEach(Id pattern, std::span<const SearchText> texts) {
    if (texts.empty())
        return regexOf(m_entries[pattern]).compiled() ? SearchOutcome::NotFound
                                                      : SearchOutcome::NoExpression;
    for (const SearchText& text : texts) {
        switch (search(pattern, text)) {
        case SearchOutcome::Found:
            return SearchOutcome::Found;
        case SearchOutcome::NoExpression:
            return SearchOutcome::NoExpression;
        case SearchOutcome::Abandoned:
            // Retired now: it finds nothing in the texts that follow either.
            return SearchOutcome::Abandoned;
        case SearchOutcome::NotFound:
            break;
        }
    }
    return SearchOutcome::NotFound;
}

std::vector<std::string> PatternSet::retiredPatterns() const {
    std::vector<std::string> texts;
    for (const Entry& entry : m_entries)
        if (entry.retired)
            texts.push_back(entry.text);
    return texts;
}

} // namespace tintbox::engine
