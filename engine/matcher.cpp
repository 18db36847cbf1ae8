#include "engine/matcher.hpp"

#include "settings/schema.hpp"

#include <array>
#include <cstdint>
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

std::vector<SearchText> prepare(const std::optional<std::vector<std::string>>& addresses) {
    std::vector<SearchText> texts;
    if (addresses) {
        texts.reserve(addresses->size());
        for (const std::string& address : *addresses) {
            texts.emplace_back(address);
        }
    }
    return texts;
}

PreparedMessage prepare(const MessageFields& message) {
    PreparedMessage prepared;
    if (message.subject) {
        prepared.subject.emplace(*message.subject);
    }
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

// A stored match type: absent, or the entry's intValue.
using MatchType = std::optional<std::int32_t>;

MatchType matchTypeOf(const Dictionary& record, std::string_view key) {
    const foundation::Value* entry = foundation::find(record, key);
    return entry ? MatchType(entry->intValue()) : std::nullopt;
}

bool isAndField(MatchType type) {
    return type == record::kMatchTypeAnd;
}
bool hitsOrGroup(MatchType type) {
    return !type || *type == record::kMatchTypeOr;
}

const std::string* patternOf(const Dictionary& record, std::string_view key) {
    const foundation::Value* entry = foundation::find(record, key);
    const std::string* pattern = entry ? entry->asString() : nullptr;
    return pattern && !pattern->empty() ? pattern : nullptr;
}

void trySubject(const PreparedMessage& message, const Dictionary& record, Counters& counters,
                PatternCache& patterns) {
    const std::string* pattern = patternOf(record, record::kSubject);
    if (!message.subject || !pattern) {
        return;
    }
    const MatchType type = matchTypeOf(record, record::kSubjectMatchType);
    if (isAndField(type)) {
        counters.andCount = 1;
    } else {
        counters.orSeen = true;
    }
    if (isFound(patterns.search(*pattern, *message.subject))) {
        if (hitsOrGroup(type)) {
            counters.orHit = true;
        } else {
            counters.andHits = 1;
        }
    }
}

struct AddressField {
    std::string_view patternKey;
    std::string_view matchTypeKey;
    std::vector<SearchText> PreparedMessage::*texts;
};

constexpr std::array kAddressFields{
    AddressField{record::kFrom, record::kFromMatchType, &PreparedMessage::senders},
    AddressField{record::kTo, record::kToMatchType, &PreparedMessage::to},
    AddressField{record::kCc, record::kCcMatchType, &PreparedMessage::cc},
};

void tryAddresses(const PreparedMessage& message, const Dictionary& record,
                  const AddressField& field, Counters& counters, PatternCache& patterns) {
    const std::vector<SearchText>& texts = message.*field.texts;
    const std::string* pattern = patternOf(record, field.patternKey);
    if (texts.empty() || !pattern) {
        return;
    }
    const MatchType type = matchTypeOf(record, field.matchTypeKey);
    // An OR group that already holds is not searched again; the outcome stays the same.
    if (counters.orHit && type == record::kMatchTypeOr) {
        return;
    }
    if (isFound(patterns.searchEach(*pattern, texts))) {
        if (hitsOrGroup(type)) {
            counters.orHit = true;
        } else {
            ++counters.andHits;
        }
    }
    if (isAndField(type)) {
        ++counters.andCount;
    } else {
        counters.orSeen = true;
    }
}

std::string colourOf(const Dictionary& record) {
    const foundation::Value* entry = foundation::find(record, record::kHexColor);
    const std::string* colour = entry ? entry->asString() : nullptr;
    return colour ? *colour : std::string();
}

} // namespace

MatchResult match(const MessageFields& message, const std::vector<foundation::Dictionary>& filters,
                  PatternCache& patterns) {
    MatchResult result;
    if (filters.empty()) {
        return result;
    }
    const PreparedMessage prepared = prepare(message);
    for (const Dictionary& record : filters) {
        Counters counters;
        trySubject(prepared, record, counters, patterns);
        for (const AddressField& field : kAddressFields) {
            tryAddresses(prepared, record, field, counters, patterns);
        }
        if (counters.filterMatches()) {
            result.colours.push_back(colourOf(record));
            if (result.colours.size() >= kMaxStripes) {
                break;
            }
        }
    }
    return result;
}

} // namespace tintbox::engine
