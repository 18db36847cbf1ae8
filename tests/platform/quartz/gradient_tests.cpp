#include "platform/quartz/gradient.hpp"

#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

using quartz::Color;
using quartz::Gradient;

const Color kRed{1, 0, 0, 1};
const Color kGreen{0, 1, 0, 1};
const Color kBlue{0, 0, 1, 1};

std::vector<double> locationsOf(const Gradient& gradient) {
    std::vector<double> locations;
    for (const auto& stop : gradient.stops())
        locations.push_back(stop.location);
    return locations;
}

TEST(Gradient, StopsWithoutLocationsAreEvenlySpaced) {
    const Color colors[] = {kRed, kGreen, kBlue};
    EXPECT_EQ(locationsOf(Gradient(colors)), (std::vector<double>{0, 0.5, 1}));
    EXPECT_EQ(locationsOf(Gradient(std::span(colors, 1))), (std::vector<double>{0}));
}

TEST(Gradient, LocationsAreSortedStablyAndClamped) {
    const Color colors[] = {kRed, kGreen, kBlue, kRed};
    const double locations[] = {0.5, -1, 0.5, 2};
    Gradient gradient(colors, locations);
    EXPECT_EQ(locationsOf(gradient), (std::vector<double>{0, 0.5, 0.5, 1}));
    // Equal locations keep their given order: that is what makes a hard edge.
    EXPECT_EQ(gradient.stops()[1].color, kRed);
    EXPECT_EQ(gradient.stops()[2].color, kBlue);
}

TEST(Gradient, RejectsUnusableInput) {
    const Color colors[] = {kRed, kGreen};
    const double oneLocation[] = {0};
    const double notANumber[] = {0, std::numeric_limits<double>::quiet_NaN()};
    EXPECT_THROW(Gradient(std::span<const Color>()), std::invalid_argument);
    EXPECT_THROW(Gradient(colors, oneLocation), std::invalid_argument);
    EXPECT_THROW(Gradient(colors, notANumber), std::invalid_argument);
}

TEST(Gradient, PlatformConstructorsReadComponentsAndColors) {
    CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
    const double components[] = {1, 0, 0, 1, 0, 0, 1, 0.5};
    CGGradientRef fromComponents =
        CGGradientCreateWithColorComponents(space, components, nullptr, 2);
    ASSERT_TRUE(fromComponents);
    EXPECT_EQ(fromComponents->stops()[1].color, (Color{0, 0, 1, 0.5}));
    EXPECT_EQ(fromComponents->stops()[1].location, 1);

    const double locations[] = {0.25, 0.75};
    CGGradientRef fromColors = CGGradientCreateWithColors(space, {kRed, kBlue}, locations);
    EXPECT_EQ(locationsOf(*fromColors), (std::vector<double>{0.25, 0.75}));

    CGGradientRelease(fromColors);
    CGColorSpaceRelease(space);
    EXPECT_FALSE(fromColors);
    EXPECT_FALSE(space);
    EXPECT_EQ(fromComponents->stops().size(), 2u) << "a gradient outlives its colour space";
}

} // namespace
