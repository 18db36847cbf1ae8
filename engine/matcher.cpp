#include "engine/matcher.hpp"

#include "settings/schema.hpp"

#include <span>
#include <string_view>

namespace tintbox::engine {
namespace {

namespace record = settings::filter_record;

using foundation::Dictionary;

// The message converted once for all the filters it is tried against.
struct PreparedMessage {
    std::optional<SearchText> subject;
    std::vector<SearchText> senders;
    std::vector<SearchText> to;
    std::vector<SearchText> cc;
};

// The fields are moved into their search texts: a row's message is matched once.
std::vector<SearchText> prepare(std::optional<std::vector<std::string>>& addresses) {
    std::vector<SearchText> texts;
    if (addresses) {
        texts.reserve(addresses->size());
        for (std::string& address : *addresses)
            texts.emplace_back(std::move(address));
    }
    return texts;
}

PreparedMessage prepare(MessageFields& message) {
    PreparedMessage prepared;
    if (message.subject)
        prepared.subject.emplace(std::move(*message.subject));
    prepared.senders = prepare(message.senders);
    prepared.to = prepare(message.to);
    prepared.cc = prepare(message.cc);
    return prepared;
}

// The per-filter tally of the fields that took part.
struct Counters {
    int andCount{0};
    int andHits{0};
    bool orSeen{false};
    bool orHit{false};

    bool filterMatches() const {
        return andCount == andHits && orSeen == orHit && (orHit || andHits > 0);
    }
};

using MatchType = std::optional<std::int32_t>;

bool isAndField(MatchType type) {
    return type == record::kMatchTypeAnd;
}
bool hitsOrGroup(MatchType type) {
    return !type || *type == record::kMatchTypeOr;
}

MatchType matchTypeOf(const Dictionary& filter, std::string_view key) {
    const foundation::Value* entry = foundation::find(filter, key);
    return entry ? MatchType(entry->intValue()) : std::nullopt;
}

const std::string* patternOf(const Dictionary& filter, std::string_view key) {
    const foundation::Value* entry = foundation::find(filter, key);
    const std::string* pattern = entry ? entry->asString() : nullptr;
    return pattern && !pattern->empty() ? pattern : nullptr;
}

std::string colourOf(const Dictionary& filter) {
    const foundation::Value* entry = foundation::find(filter, record::kHexColor);
    const std::string* colour = entry ? entry->asString() : nullptr;
    return colour ? *colour : std::string();
}

} // namespace

FilterSet::FilterSet(const std::vector<Dictionary>& filters, SearchLimits limits)
    : m_patterns(limits) {
    m_filters.reserve(filters.size());
    const auto field = [&](const Dictionary& filter, std::string_view patternKey,
                           std::string_view typeKey) -> std::optional<Field> {
        const std::string* pattern = patternOf(filter, patternKey);
        if (!pattern)
            return std::nullopt;
        return Field{m_patterns.add(*pattern), matchTypeOf(filter, typeKey)};
    };
    for (const Dictionary& filter : filters) {
        m_filters.push_back(Filter{field(filter, record::kSubject, record::kSubjectMatchType),
                                   field(filter, record::kFrom, record::kFromMatchType),
                                   field(filter, record::kTo, record::kToMatchType),
                                   field(filter, record::kCc, record::kCcMatchType),
                                   colourOf(filter)});
    }
}

MatchResult FilterSet::match(MessageFields message) {
    MatchResult result;
    if (m_filters.empty())
        return result;
    const PreparedMessage prepared = prepare(message);

    const auto trySubject = [&](const Field& field, Counters& counters) {
        if (!prepared.subject)
            return;
        if (isAndField(field.matchType))
            counters.andCount = 1;
        else
            counters.orSeen = true;
        if (isFound(m_patterns.search(field.pattern, *prepared.subject))) {
            if (hitsOrGroup(field.matchType))
                counters.orHit = true;
            else
                counters.andHits = 1;
        }
    };
    const auto tryAddresses = [&](const Field& field, std::span<const SearchText> texts,
                                  Counters& counters) {
        if (texts.empty())
            return;
        // An OR group that already holds is not searched again; the outcome stays the same.
        if (counters.orHit && field.matchType == record::kMatchTypeOr)
            return;
        if (isFound(m_patterns.searchEach(field.pattern, texts))) {
            if (hitsOrGroup(field.matchType))
                counters.orHit = true;
            else
                ++counters.andHits;
        }
        if (isAndField(field.matchType))
            ++counters.andCount;
        else
            counters.orSeen = true;
    };

    for (const Filter& filter : m_filters) {
        Counters counters;
        if (filter.subject)
            trySubject(*filter.subject, counters);
        if (filter.from)
            tryAddresses(*filter.from, prepared.senders, counters);
        if (filter.to)
            tryAddresses(*filter.to, prepared.to, counters);
        if (filter.cc)
            tryAddresses(*filter.cc, prepared.cc, counters);
        if (counters.filterMatches()) {
            result.colours.push_back(filter.colour);
            if (result.colours.size() >= kMaxStripes)
                break;
        }
    }
    return result;
}

} // namespace tintbox::engine
