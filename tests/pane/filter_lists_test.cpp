#include "pane/filters/filter_lists.hpp"
#include "pane/filters/filter_swatch.hpp"
#include "pane/filters/search_formula.hpp"

#include <gtest/gtest.h>

namespace {

using namespace tintbox;
using namespace tintbox::pane;
using foundation::Value;

Value named(const std::string& name) {
    return Value(foundation::Dictionary{{"from", Value(name)}});
}

// The lists as names: "a b | c" is enabled a, b and disabled c.
std::string namesOf(const FilterLists& lists) {
    std::string text;
    for (const Value& filter : lists.enabled)
        text += filterRowText(filter) + " ";
    text += "|";
    for (const Value& filter : lists.disabled)
        text += " " + filterRowText(filter);
    return text;
}

FilterLists sample() {
    return {{named("a"), named("b"), named("c"), named("d")}, {named("x"), named("y")}};
}

TEST(FilterListsTest, MovesBetweenAndWithinTheListsAndIntoTheDeleteSection) {
    struct Case {
        const char* name;
        FilterPlace from;
        FilterPlace to;
        bool changed;
        std::string after;
    };
    const Case cases[] = {
        {"enabled 2 to the top", {0, 2}, {0, 0}, true, "c a b d | x y"},
        {"enabled 0 to the end", {0, 0}, {0, 3}, true, "b c d a | x y"},
        {"enabled to the add row goes first", {0, 0}, {1, 0}, true, "b c d | a x y"},
        {"enabled to disabled row 2 is index 1", {0, 0}, {1, 2}, true, "b c d | x a y"},
        {"enabled past the disabled ones", {0, 3}, {1, 3}, true, "a b c | x y d"},
        {"disabled to enabled", {1, 2}, {0, 1}, true, "a y b c d | x"},
        {"enabled into delete", {0, 1}, {2, 0}, true, "a c d | x y"},
        {"disabled into delete", {1, 1}, {2, 0}, true, "a b c d | y"},
        {"within disabled is refused", {1, 2}, {1, 1}, false, "a b c d | x y"},
        {"the add row cannot move", {1, 0}, {0, 0}, false, "a b c d | x y"},
        {"no such row", {0, 4}, {0, 0}, false, "a b c d | x y"},
        {"no such section", {0, 0}, {3, 0}, false, "a b c d | x y"},
        {"a negative row", {0, 0}, {0, -1}, false, "a b c d | x y"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilterLists lists = sample();
        EXPECT_EQ(lists.move(c.from, c.to), c.changed);
        EXPECT_EQ(namesOf(lists), c.after);
    }
}

TEST(FilterListsTest, AddsRemovesAndReadsTheSettingsLists) {
    foundation::Dictionary settings{{"filtersEnabled", Value(foundation::Array{named("a")})},
                                    {"Work", Value("#FF0000")}};
    FilterLists lists = FilterLists::of(settings);
    EXPECT_EQ(lists.rowCount(0), 1);
    EXPECT_EQ(lists.rowCount(1), 1) << "the add row alone";
    EXPECT_EQ(lists.rowCount(2), 0);
    EXPECT_EQ(lists.recordAt(kAddRow), nullptr);

    lists.add();
    ASSERT_EQ(lists.enabled.size(), 2u);
    EXPECT_EQ(lists.enabled[1], Value(foundation::Dictionary{{"from", Value("")},
                                                             {"to", Value("")},
                                                             {"cc", Value("")},
                                                             {"subject", Value("")},
                                                             {"fromMatchType", Value(0)},
                                                             {"toMatchType", Value(0)},
                                                             {"ccMatchType", Value(0)},
                                                             {"subjectMatchType", Value(0)},
                                                             {"hexColor", Value("#FFFFFF")}}));
    EXPECT_TRUE(lists.remove({0, 0}));
    EXPECT_FALSE(lists.remove(kAddRow));
    EXPECT_FALSE(lists.remove({1, 1}));
    lists.storeInto(settings);
    EXPECT_EQ(settings.at("filtersDisabled"), Value(foundation::Array{})) << "written when missing";
    EXPECT_EQ(settings.at("Work"), Value("#FF0000"));
    EXPECT_EQ(FilterLists::of(settings).enabled.size(), 1u);

    const FilterLists broken =
        FilterLists::of({{"filtersEnabled", Value("not a list")}, {"filtersDisabled", Value(3)}});
    EXPECT_EQ(broken.rowCount(0), 0);
    EXPECT_EQ(broken.rowCount(1), 1);
}

TEST(FilterListsTest, ARowShowsTheFirstFilledPattern) {
    using D = foundation::Dictionary;
    EXPECT_EQ(filterRowText(
                  Value(D{{"from", Value("")}, {"to", Value("Ann")}, {"subject", Value("Hi")}})),
              "Ann");
    EXPECT_EQ(filterRowText(Value(D{{"cc", Value("x")}, {"subject", Value("Hi")}})), "x");
    EXPECT_EQ(filterRowText(Value(D{{"from", Value("")}, {"to", Value("")}})), "");
    EXPECT_EQ(filterRowText(Value(D{{"from", Value(5)}, {"subject", Value("s")}})), "s");
    EXPECT_EQ(filterRowText(Value("not a record")), "");
}

TEST(FilterSwatchTest, BlendsTheFilterColourAtTheListFilterOpacity) {
    using D = foundation::Dictionary;
    struct Case {
        const char* name;
        D settings;
        const char* hex;
        engine::Rgb8 background;
        bool whiteText;
    };
    const Case cases[] = {
        {"own opacity defaults to 1", {}, "#FF0000", {255, 0, 0}, true},
        {"white means no colour chosen", {}, "#FFFFFF", {255, 255, 255}, false},
        {"own level", {{"listAlphaLevelFilters", Value(50)}}, "#000000", {127, 127, 127}, true},
        {"account options without a level use 0.25",
         {{"useAccountSettingsForListFilters", Value(true)}, {"listAlphaLevelFilters", Value(100)}},
         "#FF0000",
         {255, 191, 191},
         false},
        {"account options with their level",
         {{"useAccountSettingsForListFilters", Value(true)}, {"listAlphaLevel", Value(100)}},
         "#0000FF",
         {0, 0, 255},
         true},
        {"switch off keeps the own level",
         {{"useAccountSettingsForListFilters", Value(false)}, {"listAlphaLevel", Value(10)}},
         "#00FF00",
         {0, 255, 0},
         false},
        {"unreadable colour is white", {}, "red", {255, 255, 255}, false},
        {"over-long value is white", {}, "#1FFFFFFF", {255, 255, 255}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto swatch = filterSwatch(c.settings, Value(D{{"hexColor", Value(c.hex)}}));
        ASSERT_TRUE(swatch);
        EXPECT_EQ(swatch->background, c.background);
        EXPECT_EQ(swatch->whiteText, c.whiteText);
    }
    EXPECT_FALSE(filterSwatch({}, Value(D{{"from", Value("a")}}))) << "no colour: a white row";
}

TEST(SearchFormulaTest, PutsTheOrGroupInParenthesesBeforeTheAndFields) {
    struct Case {
        const char* name;
        FilterFieldStates fields;
        const char* formula;
    };
    const Case cases[] = {
        {"both groups",
         {{{0, true}, {0, true}, {1, true}, {1, true}}},
         "(From OR To) AND Cc AND Subject"},
        {"only subject", {{{0, false}, {0, false}, {0, false}, {0, true}}}, "Subject"},
        {"only AND fields", {{{0, false}, {1, true}, {1, true}, {0, false}}}, "To AND Cc"},
        {"one of each", {{{1, true}, {0, false}, {0, true}, {0, false}}}, "(Cc) AND From"},
        {"nothing filled", {{{0, false}, {1, false}, {0, false}, {1, false}}}, ""},
        {"an unknown match type is left out",
         {{{2, true}, {0, true}, {0, false}, {0, false}}},
         "To"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(searchFormula(c.fields), c.formula);
    }
}

} // namespace
