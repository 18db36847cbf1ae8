// Times the filter matcher over a mailbox: 10,000 generated messages against 50 filters. The
// anchor is ICU alone running the same searches with the patterns compiled beforehand: each
// message's fields converted once, each filter's fields searched in turn (stopping at an
// address that matches), without the matcher's bookkeeping. Compare the two in the same run.
#include "engine/colour.hpp"
#include "engine/matcher.hpp"

#include <array>
#include <benchmark/benchmark.h>
#include <cctype>
#include <memory>
#include <random>
#include <string>
#include <unicode/regex.h>
#include <vector>

namespace {

using foundation::Dictionary;
using foundation::Value;
using tintbox::engine::FilterSet;
using tintbox::engine::formatHexColour;
using tintbox::engine::MessageFields;

constexpr int kMessages = 10'000;
constexpr int kFilters = 50;

const std::vector<std::string> kNames{"Alice Liddell", "Bob Stone",   "Carol Díaz", "Dave Kim",
                                      "Eve Moreau",    "Frank Olsen", "Grace Hu",   "Heidi Berg",
                                      "Ivan Petrov",   "Judy Ngata"};
const std::vector<std::string> kDomains{"example.com", "corp.example", "mail.test", "école.fr",
                                        "lists.dev"};
const std::vector<std::string> kWords{"invoice", "meeting", "report", "urgent", "weekly",
                                      "lunch",   "release", "build",  "failed", "receipt",
                                      "party 🎉", "Réunion", "update", "draft",  "review"};

std::string address(std::mt19937& random) {
    const std::string& name = kNames[random() % kNames.size()];
    std::string local = name.substr(0, name.find(' '));
    for (char& c : local) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name + " <" + local + "@" + kDomains[random() % kDomains.size()] + ">";
}

std::vector<std::string> addresses(std::mt19937& random, int most) {
    std::vector<std::string> list(random() % (most + 1));
    for (std::string& entry : list) {
        entry = address(random);
    }
    return list;
}

std::vector<MessageFields> mailbox() {
    std::mt19937 random(2626);
    std::vector<MessageFields> messages(kMessages);
    for (MessageFields& message : messages) {
        std::string subject = kWords[random() % kWords.size()];
        subject += " " + kWords[random() % kWords.size()] + " #" + std::to_string(random() % 1000);
        message.subject = std::move(subject);
        message.senders = std::vector<std::string>{address(random)};
        message.to = addresses(random, 3);
        message.cc = addresses(random, 2);
    }
    return messages;
}

// Patterns of the kinds people write: addresses, names, words, alternations and anchors, with
// OR and AND fields mixed; most messages match none or a few of them.
std::vector<Dictionary> filterList() {
    const std::vector<std::string> patterns{"alice@corp\\.example",
                                            "^bob stone",
                                            "carol.*@mail\\.test",
                                            "dave@école\\.fr",
                                            "invoice .*#\\d*7$",
                                            "urgent.*failed",
                                            "\\bweekly\\s+report",
                                            "^party",
                                            "^re(view|lease) build",
                                            "#99\\d$",
                                            "heidi@lists\\.dev",
                                            "(ivan|judy)@corp",
                                            "receipt (draft|update)",
                                            "réunion",
                                            "grace hu <grace@example\\.com>"};
    std::mt19937 random(62);
    std::vector<Dictionary> filters;
    for (int i = 0; i < kFilters; ++i) {
        Dictionary filter{{"hexColor", Value(formatHexColour(i * 5, 128, 255 - i * 5))}};
        const char* fields[] = {"subject", "from", "to", "cc"};
        const int used = 1 + static_cast<int>(random() % 2);
        for (int f = 0; f < used; ++f) {
            const std::string key = fields[(i + f * 3) % 4];
            filter[key] = Value(patterns[random() % patterns.size()]);
            filter[key + "MatchType"] = Value(static_cast<int>(random() % 2));
        }
        filters.push_back(std::move(filter));
    }
    return filters;
}

void BM_MatchMailbox(benchmark::State& state) {
    const std::vector<MessageFields> messages = mailbox();
    FilterSet filters(filterList());
    std::size_t stripes = 0;
    for (auto _ : state) {
        for (const MessageFields& message : messages)
            stripes += filters.match(message).colours.size();
    }
    benchmark::DoNotOptimize(stripes);
    state.SetItemsProcessed(state.iterations() * kMessages);
    state.counters["stripes/msg"] =
        static_cast<double>(stripes) / static_cast<double>(state.iterations() * kMessages);
}

icu::UnicodeString utf16(const std::string& text) {
    return icu::UnicodeString::fromUTF8(text);
}

void BM_MatchMailboxRawICUAnchor(benchmark::State& state) {
    const std::vector<MessageFields> messages = mailbox();
    // Per filter and field, a matcher compiled before timing starts (null: field not used).
    const char* keys[] = {"subject", "from", "to", "cc"};
    std::vector<std::array<std::unique_ptr<icu::RegexMatcher>, 4>> matchers;
    for (const Dictionary& filter : filterList()) {
        auto& fields = matchers.emplace_back();
        for (int k = 0; k < 4; ++k) {
            const Value* pattern = foundation::find(filter, keys[k]);
            if (!pattern || !pattern->asString())
                continue;
            UErrorCode status = U_ZERO_ERROR;
            fields[k].reset(new icu::RegexMatcher(utf16(*pattern->asString()),
                                                  UREGEX_CASE_INSENSITIVE, status));
            fields[k]->setTimeLimit(100, status);
        }
    }
    std::size_t hits = 0;
    for (auto _ : state) {
        for (const MessageFields& message : messages) {
            std::array<std::vector<icu::UnicodeString>, 4> texts;
            texts[0].push_back(utf16(*message.subject));
            for (const auto& address : *message.senders)
                texts[1].push_back(utf16(address));
            for (const auto& address : *message.to)
                texts[2].push_back(utf16(address));
            for (const auto& address : *message.cc)
                texts[3].push_back(utf16(address));
            for (auto& fields : matchers) {
                for (int k = 0; k < 4; ++k) {
                    if (!fields[k])
                        continue;
                    for (const icu::UnicodeString& text : texts[k]) {
                        UErrorCode status = U_ZERO_ERROR;
                        fields[k]->reset(text);
                        if (fields[k]->find(status)) {
                            ++hits;
                            break;
                        }
                    }
                }
            }
        }
    }
    benchmark::DoNotOptimize(hits);
    state.SetItemsProcessed(state.iterations() * kMessages);
}

BENCHMARK(BM_MatchMailbox)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchMailboxRawICUAnchor)->Unit(benchmark::kMillisecond);

} // namespace
