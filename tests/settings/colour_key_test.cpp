#include "settings/colour_key.hpp"

#include <gtest/gtest.h>

namespace tintbox::settings {
namespace {

TEST(ColourKey, AFilterKeyCarriesTheNumberAfterThePrefixAndOneBlank) {
    const struct {
        std::string_view text;
        std::optional<int> index;
    } cases[] = {
        {"Work", std::nullopt},
        {"Color Value 3", 3},
        {"Color Value 12", 12},
        {"Color Value", 0},
        {"Color Value x", 0},
        {"Color Value  7", 7},
        {"Color Values 2", 2},
        {"color value 3", std::nullopt},
        {" Color Value 3", std::nullopt},
        {"Color Value -1", -1},
    };
    for (const auto& c : cases) {
        const ColourKey key = ColourKey::parse(c.text);
        EXPECT_EQ(key.text, c.text);
        EXPECT_EQ(key.filterIndex, c.index) << c.text;
        EXPECT_EQ(key.isFilterColour(), c.index.has_value()) << c.text;
    }
}

TEST(ColourKey, FindsTheAccountEntryOrTheFilterRecordsColour) {
    const foundation::Dictionary settings{
        {"Work", "#112233"},
        {"filtersEnabled",
         foundation::Array{foundation::Dictionary{{"hexColor", "#AA0000"}},
                           foundation::Dictionary{{"from", "x"}}, foundation::Value("odd")}},
    };
    const struct {
        std::string_view key;
        std::optional<std::string> stored;
    } cases[] = {
        {"Work", "#112233"},
        {"Home", std::nullopt},
        {"Color Value 0", "#AA0000"},
        {"Color Value 1", std::nullopt},
        {"Color Value 2", std::nullopt},
        {"Color Value 3", std::nullopt},
        {"Color Value -1", std::nullopt},
    };
    for (const auto& c : cases) {
        const foundation::Value* entry = ColourKey::parse(c.key).storedEntry(settings);
        const std::optional<std::string> found =
            entry && entry->asString() ? std::optional(*entry->asString()) : std::nullopt;
        EXPECT_EQ(found, c.stored) << c.key;
        EXPECT_EQ(entry != nullptr, c.stored.has_value()) << c.key;
    }
    EXPECT_EQ(ColourKey::parse("Color Value 0").storedEntry({}), nullptr);
}

} // namespace
} // namespace tintbox::settings
