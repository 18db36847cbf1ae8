#include "engine/matcher.hpp"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tintbox::engine {
namespace {

using foundation::Dictionary;
using foundation::Value;
using Addresses = std::vector<std::string>;

constexpr int OR = 0;
constexpr int AND = 1;

// One field of a filter: its pattern and, unless absent, its match type.
struct Field {
    std::string pattern{};
    std::optional<int> matchType{};
};

struct Filter {
    std::optional<Field> subject{};
    std::optional<Field> from{};
    std::optional<Field> to{};
    std::optional<Field> cc{};
    std::string colour{"#112233"};

    Dictionary record() const {
        Dictionary dictionary{{"hexColor", Value(colour)}};
        const auto put = [&](const char* key, const std::optional<Field>& field) {
            if (field) {
                dictionary[key] = Value(field->pattern);
                if (field->matchType) {
                    dictionary[std::string(key) + "MatchType"] = Value(*field->matchType);
                }
            }
        };
        put("subject", subject);
        put("from", from);
        put("to", to);
        put("cc", cc);
        return dictionary;
    }
};

MessageFields message(std::optional<std::string> subject, std::optional<Addresses> from,
                      std::optional<Addresses> to = Addresses{},
                      std::optional<Addresses> cc = Addresses{}) {
    return MessageFields{std::move(subject), std::move(from), std::move(to), std::move(cc)};
}

bool matches(const Filter& filter, const MessageFields& fields) {
    return FilterSet({filter.record()}).match(fields).anyMatched();
}

const MessageFields kAliceToCarol = message("Hello", Addresses{"Alice Liddell <alice@example.com>"},
                                            Addresses{"carol@example.com"});
const MessageFields kDaveToCarol =
    message("Hello", Addresses{"dave@example.com"}, Addresses{"carol@example.com"});

struct MatchCase {
    const char* name;
    Filter filter;
    MessageFields message;
    bool expected;
};

TEST(Match, CombinesFieldsByTheirMatchTypes) {
    const MessageFields bossMail =
        message("Quarterly numbers", Addresses{"The Boss <boss@corp.com>"});
    const MessageFields weeklyReport =
        message("Weekly report", Addresses{"alice@example.com"}, Addresses{"bob@example.com"});
    const MessageFields weeklyReportToBoss =
        message("Weekly report", Addresses{"alice@example.com"}, Addresses{"bob@example.com"},
                Addresses{"boss@corp.com"});
    const MessageFields urgentToBob = message("URGENT: server down", Addresses{"ops@example.com"},
                                              Addresses{"x@example.com", "Bob <bob@example.com>"});
    const MessageFields urgentToNobody =
        message("urgent", Addresses{"ops@example.com"}, Addresses{"x@example.com"});
    const MessageFields noSubjectFromAlice = message(std::nullopt, Addresses{"alice@example.com"});

    const MatchCase cases[] = {
        {"or sender, case-insensitive", {.from = Field{"boss", OR}}, bossMail, true},
        {"or sender, absent match type", {.from = Field{"boss", {}}}, bossMail, true},
        {"or from/to, one holds",
         {.from = Field{"alice", OR}, .to = Field{"bob", OR}},
         kAliceToCarol,
         true},
        {"or from/to, none holds",
         {.from = Field{"alice", OR}, .to = Field{"bob", OR}},
         kDaveToCarol,
         false},
        {"and from+subject, subject fails",
         {.subject = Field{"invoice", AND}, .from = Field{"alice", AND}},
         kAliceToCarol,
         false},
        {"and from+subject, both hold",
         {.subject = Field{"hello", AND}, .from = Field{"alice", AND}},
         kAliceToCarol,
         true},
        {"and subject with or group, group holds via to",
         {.subject = Field{"urgent", AND}, .from = Field{"alice", OR}, .to = Field{"bob", OR}},
         urgentToBob,
         true},
        {"and subject with or group, group fails",
         {.subject = Field{"urgent", AND}, .from = Field{"alice", OR}, .to = Field{"bob", OR}},
         urgentToNobody,
         false},
        {"and cc without cc recipients takes no part",
         {.subject = Field{"report", AND}, .cc = Field{"team", AND}},
         weeklyReport,
         true},
        {"and cc with a cc recipient that fails",
         {.subject = Field{"report", AND}, .cc = Field{"team", AND}},
         weeklyReportToBoss,
         false},
        {"only field absent from the message", {.cc = Field{"team", AND}}, weeklyReport, false},
        {"cc list missing altogether",
         {.cc = Field{"team", OR}},
         message("Hi", Addresses{"team@x.com"}, std::nullopt, std::nullopt),
         false},
        {"invalid pattern as the only field", {.from = Field{"[", OR}}, kAliceToCarol, false},
        {"invalid and pattern fails the filter",
         {.subject = Field{"(", AND}, .from = Field{"alice", OR}},
         kAliceToCarol,
         false},
        {"invalid or pattern leaves the group to the others",
         {.subject = Field{"(", OR}, .from = Field{"alice", OR}},
         kAliceToCarol,
         true},
        {"no subject: decided by the other fields",
         {.subject = Field{"anything", AND}, .from = Field{"alice", OR}},
         noSubjectFromAlice,
         true},
        {"no subject: subject alone cannot match",
         {.subject = Field{".*", OR}},
         noSubjectFromAlice,
         false},
        {"empty subject still takes part",
         {.subject = Field{"^$", OR}},
         message("", Addresses{"a@b.c"}),
         true},
        {"empty pattern takes no part",
         {.subject = Field{"", AND}, .from = Field{"alice", OR}},
         kAliceToCarol,
         true},
        {"later address in the list matches", {.to = Field{"bob", AND}}, urgentToBob, true},
        {"and then or: or group must hold too",
         {.from = Field{"alice", AND}, .to = Field{"bob", OR}},
         kAliceToCarol,
         false},
        {"two or fields, later one matches",
         {.subject = Field{"nothing", OR}, .cc = Field{"boss", OR}},
         weeklyReportToBoss,
         true},
    };
    for (const MatchCase& c : cases) {
        EXPECT_EQ(matches(c.filter, c.message), c.expected) << c.name;
    }
}

TEST(Match, ReadsMatchTypesAsIntegers) {
    // kAliceToCarol: subject "Hello", from alice. Each record fails only if the stored match
    // type reads as AND.
    const auto withTypes = [](const char* subject, Value subjectType, const char* from,
                              Value fromType) {
        Dictionary record = Filter{.subject = Field{subject}, .from = Field{from}}.record();
        record["subjectMatchType"] = std::move(subjectType);
        record["fromMatchType"] = std::move(fromType);
        return record;
    };
    const auto matchesRecord = [&](const Dictionary& record) {
        return FilterSet({record}).match(kAliceToCarol).anyMatched();
    };
    EXPECT_FALSE(matchesRecord(withTypes("invoice", Value("1"), "alice", Value(0))));
    EXPECT_FALSE(matchesRecord(withTypes("hello", Value(0), "dave", Value(1.9))));
    EXPECT_FALSE(matchesRecord(withTypes("hello", Value(0), "dave", Value(true))));
    EXPECT_TRUE(matchesRecord(withTypes("invoice", Value("or"), "alice", Value(0))));
    EXPECT_TRUE(matchesRecord(withTypes("hello", Value(0), "dave", Value("0"))));
}

TEST(Match, TreatsPatternsThatAreNotStringsAsAbsent) {
    Dictionary record = Filter{.from = Field{"alice", AND}}.record();
    record["subject"] = Value(42);
    record["subjectMatchType"] = Value(AND);
    EXPECT_TRUE(FilterSet({record}).match(kAliceToCarol).anyMatched());
}

TEST(Match, AnOrGroupAlreadyHeldIsNotSearchedAgain) {
    // The "to" pattern would be abandoned, yet the result stands: the group held at "from".
    const std::string slow = std::string(30, 'a') + "!";
    const Filter filter{.from = Field{"alice", OR}, .to = Field{"(a+)+$", OR}};
    const MessageFields fields = message("Hi", Addresses{"alice@x.com"}, Addresses{slow});
    FilterSet typed({filter.record()});
    EXPECT_TRUE(typed.match(fields).anyMatched());
    EXPECT_TRUE(typed.patterns().retiredPatterns().empty()); // "(a+)+$" was never searched

    // Only a field stored as OR is passed over; one without a match type is still searched.
    const Filter untyped{.from = Field{"alice", OR}, .to = Field{"(a+)+$", {}}};
    FilterSet searched({untyped.record()});
    EXPECT_TRUE(searched.match(fields).anyMatched());
    EXPECT_EQ(searched.patterns().retiredPatterns(), std::vector<std::string>{"(a+)+$"});
}

TEST(Match, AbandonedSearchCountsAsNoMatch) {
    const std::string slow = std::string(30, 'a') + "!";
    const Filter filter{.subject = Field{"(a+)+$", OR}};
    EXPECT_FALSE(
        FilterSet({filter.record()}).match(message(slow, Addresses{"a@b.c"})).anyMatched());
}

TEST(Match, KeepsTheFirstFiveColoursInFilterOrder) {
    std::vector<Dictionary> filters;
    for (int i = 0; i < 7; ++i) {
        filters.push_back(
            Filter{.from = Field{"alice", OR}, .colour = "#00000" + std::to_string(i)}.record());
    }
    filters.insert(filters.begin() + 1,
                   Filter{.from = Field{"dave", OR}, .colour = "#FF0000"}.record());
    const MatchResult result = FilterSet(filters).match(kAliceToCarol);
    EXPECT_EQ(result.colours,
              (std::vector<std::string>{"#000000", "#000001", "#000002", "#000003", "#000004"}));
    EXPECT_EQ(result.colours.size(), kMaxStripes);
}

TEST(Match, PassesColoursOnAsStored) {
    Dictionary noColour = Filter{.from = Field{"alice", OR}}.record();
    noColour.erase("hexColor");
    Dictionary numberColour = noColour;
    numberColour["hexColor"] = Value(255);
    const std::vector<Dictionary> filters{
        Filter{.from = Field{"alice", OR}, .colour = "not a colour"}.record(), noColour,
        numberColour};
    EXPECT_EQ(FilterSet(filters).match(kAliceToCarol).colours,
              (std::vector<std::string>{"not a colour", "", ""}));
}

TEST(Match, NoFiltersOrNoMatchGivesNothing) {
    EXPECT_FALSE(FilterSet().match(kAliceToCarol).anyMatched());
    const MatchResult none =
        FilterSet({Filter{.from = Field{"alice", OR}}.record()}).match(kDaveToCarol);
    EXPECT_FALSE(none.anyMatched());
    EXPECT_TRUE(none.colours.empty());
}

} // namespace
} // namespace tintbox::engine

namespace tintbox::engine {
namespace {

TEST(FilterSet, KeepsEveryPatternPastAFewHundred) {
    // More distinct patterns than any bounded cache held: each compiled once, all still used.
    std::vector<Dictionary> filters;
    for (int i = 0; i < 300; ++i)
        filters.push_back(Filter{.subject = Field{"^ticket " + std::to_string(i) + "$", OR},
                                 .colour = "#0000" + std::to_string(10 + i % 90)}
                              .record());
    filters.push_back(Filter{.subject = Field{"^ticket 7$", OR}, .colour = "#FFFFFF"}.record());
    FilterSet set(filters);
    EXPECT_EQ(set.patterns().size(), 300u); // the repeated pattern is compiled once
    for (const int ticket : {0, 7, 255, 256, 299}) {
        const MatchResult result =
            set.match(message("ticket " + std::to_string(ticket), Addresses{"a@b.c"}));
        std::vector<std::string> expected{"#0000" + std::to_string(10 + ticket % 90)};
        if (ticket == 7)
            expected.push_back("#FFFFFF");
        EXPECT_EQ(result.colours, expected) << ticket;
    }
}

TEST(FilterSet, APatternThatHitsTheLimitIsSearchedOnlyOnce) {
    const std::vector<Dictionary> filters{
        Filter{.subject = Field{"(.*.*)*=", OR}, .colour = "#FF0000"}.record(),
        Filter{.subject = Field{"report", OR}, .colour = "#00FF00"}.record(),
        Filter{.subject = Field{"(.*.*)*=", AND}, .from = Field{"alice", AND}}.record()};
    FilterSet set(filters);
    for (int i = 0; i < 40; ++i) {
        const MatchResult result =
            set.match(message("Quarterly report number " + std::to_string(i) + " for the team",
                              Addresses{"alice@example.com"}));
        EXPECT_EQ(result.colours, std::vector<std::string>{"#00FF00"}) << i;
    }
    EXPECT_EQ(set.patterns().retiredPatterns(), std::vector<std::string>{"(.*.*)*="});
    // Read again, the filter list gives the pattern another chance.
    EXPECT_FALSE(FilterSet(filters).patterns().retired(0));
}

TEST(HitsSearchLimits, NamesPatternsThatBacktrackWithoutBound) {
    EXPECT_TRUE(hitsSearchLimits("(.*.*)*="));
    EXPECT_TRUE(hitsSearchLimits("(a+)+$"));
    EXPECT_FALSE(hitsSearchLimits("weekly\\s+report"));
    EXPECT_FALSE(hitsSearchLimits("^.*@corp\\.example$"));
    EXPECT_FALSE(hitsSearchLimits("["));
}

} // namespace
} // namespace tintbox::engine
