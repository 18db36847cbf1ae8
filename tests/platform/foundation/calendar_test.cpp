#include "platform/foundation/calendar.hpp"

#include <gtest/gtest.h>

namespace foundation {
namespace {

struct ComponentsCase {
    double secondsSinceReferenceDate;
    const char* zone;
    DateComponents expected;
};

TEST(GregorianComponents, FieldsOfADateInItsTimeZone) {
    const ComponentsCase cases[] = {
        // 2026-12-10 10:15:42 UTC
        {818590542.0, "UTC", {2026, 12, 10, 10, 15, 42, "UTC"}},
        {818590542.0, "Europe/Berlin", {2026, 12, 10, 11, 15, 42, "Europe/Berlin"}},
        // Summer time: 2026-07-01 00:30 UTC is 02:30 in Berlin and the evening before in LA.
        {804558600.0, "Europe/Berlin", {2026, 7, 1, 2, 30, 0, "Europe/Berlin"}},
        {804558600.0, "America/Los_Angeles", {2026, 6, 30, 17, 30, 0, "America/Los_Angeles"}},
        // Before the reference date, and a zone nobody knows (read as UTC).
        {-1.0, "Nowhere/Atlantis", {2000, 12, 31, 23, 59, 59, "UTC"}},
    };
    for (const auto& [seconds, zone, expected] : cases)
        EXPECT_EQ(gregorianComponents(Date{seconds}, zone), expected) << seconds << " " << zone;
}

TEST(GregorianComponents, DatesFromFieldsAreTheInverseAndRefuseFieldsOutOfRange) {
    const DateComponents berlin{2026, 12, 10, 11, 15, 42, "Europe/Berlin"};
    ASSERT_TRUE(dateFromComponents(berlin));
    EXPECT_DOUBLE_EQ(dateFromComponents(berlin)->secondsSinceReferenceDate, 818590542.0);
    EXPECT_EQ(gregorianComponents(*dateFromComponents(berlin), "Europe/Berlin"), berlin);
    const DateComponents refused[] = {
        {2026, 13, 1, 0, 0, 0, "UTC"},  {2026, 4, 31, 0, 0, 0, "UTC"},
        {2026, 2, 29, 0, 0, 0, "UTC"},  {2026, 1, 1, 24, 0, 0, "UTC"},
        {2026, 1, 1, 10, 60, 0, "UTC"}, {2026, 1, 1, 10, 0, 0, "Nowhere/Atlantis"},
    };
    for (const auto& parts : refused)
        EXPECT_FALSE(dateFromComponents(parts))
            << parts.month << "-" << parts.day << " " << parts.hour << ":" << parts.minute;
}

TEST(GregorianComponents, UniversalZoneNames) {
    EXPECT_TRUE(isUniversalTimeZone("UTC"));
    EXPECT_TRUE(isUniversalTimeZone("Etc/UTC"));
    EXPECT_FALSE(isUniversalTimeZone("Europe/London"));
    EXPECT_FALSE(defaultTimeZoneName().empty());
}

} // namespace
} // namespace foundation
