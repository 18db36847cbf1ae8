#include "mailhooks/band_colours.hpp"

#include <gtest/gtest.h>

namespace tintbox::mailhooks {
namespace {

const quartz::Color kRed{1, 0, 0, 1};
const quartz::Color kWhite = quartz::Color::white();

TEST(StripeGradient, OneToFiveColoursGiveEqualHardStripesInSinglePrecision) {
    const std::vector<std::string> palette{"#FF0000", "#00FF00", "#0000FF", "#808080", "#FFFF00"};
    for (std::size_t n = 1; n <= palette.size(); ++n) {
        const std::vector<std::string> colours(palette.begin(), palette.begin() + n);
        const BandGradient gradient = stripeGradient(colours);
        ASSERT_EQ(gradient.colours.size(), 2 * n);
        ASSERT_EQ(gradient.locations.size(), 2 * n);
        for (std::size_t i = 0; i < n; ++i) {
            EXPECT_EQ(gradient.colours[2 * i], stripeColour(colours[i]));
            EXPECT_EQ(gradient.colours[2 * i + 1], stripeColour(colours[i]));
            EXPECT_EQ(gradient.locations[2 * i],
                      static_cast<double>(static_cast<float>(i) / static_cast<float>(n)));
            EXPECT_EQ(gradient.locations[2 * i + 1],
                      static_cast<double>(static_cast<float>(i + 1) / static_cast<float>(n)));
        }
    }
    // A third is the single-precision third, not the double one.
    EXPECT_NE(stripeGradient({"#000000", "#000000", "#000000"}).locations[1], 1.0 / 3.0);
}

TEST(StripeGradient, FilterColoursWithoutAMailColourAreWhite) {
    EXPECT_EQ(stripeColour("#FF0000"), kRed);
    EXPECT_EQ(stripeColour("#808080"), (quartz::Color{128 / 255.0, 128 / 255.0, 128 / 255.0, 1}));
    EXPECT_EQ(stripeColour("#FFFFFF"), kWhite);
    EXPECT_EQ(stripeColour("no colour"), kWhite);
    EXPECT_EQ(stripeColour(""), kWhite);
}

TEST(StripeGradient, ClearAndSolid) {
    EXPECT_EQ(clearGradient(),
              (BandGradient{{quartz::Color::clear(), quartz::Color::clear()}, {0.0, 1.0}}));
    EXPECT_EQ(solidColours(kRed), (std::vector<quartz::Color>{kRed, kRed}));
}

TEST(AccountColour, OnlyAStringWithAMailColourGivesAColour) {
    const foundation::Dictionary file{{"Work", "#FF0000"},
                                      {"White", "#FFFFFF"},
                                      {"Garbled", "zz"},
                                      {"Number", 5},
                                      {"Bare", "ff0000"}};
    EXPECT_EQ(accountColour(file, "Work"), kRed);
    EXPECT_EQ(accountColour(file, "Bare"), kRed);
    EXPECT_EQ(accountColour(file, "White"), std::nullopt);
    EXPECT_EQ(accountColour(file, "Garbled"), std::nullopt);
    EXPECT_EQ(accountColour(file, "Number"), std::nullopt);
    EXPECT_EQ(accountColour(file, "Missing"), std::nullopt);
    EXPECT_EQ(accountColour(std::nullopt, "Work"), std::nullopt);
}

} // namespace
} // namespace tintbox::mailhooks
