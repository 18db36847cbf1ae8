#include "platform/foundation/value.hpp"
#include "tests/platform/foundation/test_support.hpp"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace foundation {
namespace {

std::string describe(const Value& value) {
    if (const auto* s = value.asString())
        return "string \"" + *s + "\"";
    if (const auto* i = value.asInteger())
        return "integer " + std::to_string(*i);
    if (const auto* d = value.asReal())
        return "real " + std::to_string(*d);
    if (const auto* b = value.asBoolean())
        return *b ? "YES" : "NO";
    return "kind " + std::to_string(static_cast<int>(value.kind()));
}

struct BoolCase {
    Value value;
    bool expected;
};

TEST(ValueReadings, BoolValueIsNonZeroForNumbersAndScansStrings) {
    const BoolCase cases[] = {
        {true, true},
        {false, false},
        {0, false},
        {2, true},
        {-1, true},
        {std::int64_t{1} << 32, true}, // non-zero although its low 32 bits are zero
        {0.0, false},
        {-0.0, false},
        {0.4, true},
        {"YES", true},
        {"yes", true},
        {"true", true},
        {"T", true},
        {"NO", false},
        {"no", false},
        {"false", false},
        {"", false},
        {"0", false},
        {"00", false},
        {"   1", true},
        {"\t\n Y", true},
        {"+0001", true},
        {"-5", true},
        {"-0", false},
        {"0x1", false},
        {"0.5", false},
        {"9abc", true},
        {"+-1", false},
        {"-", false},
        {"x1", false},
        {Array{}, false},
        {Value(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(describe(c.value));
        EXPECT_EQ(c.value.boolValue(), c.expected);
    }
}

struct IntCase {
    Value value;
    std::int32_t expected;
};

TEST(ValueReadings, IntValueTruncatesNumbersAndScansStrings) {
    const IntCase cases[] = {
        {true, 1},
        {false, 0},
        {42, 42},
        {-1, -1},
        {(std::int64_t{1} << 32) + 5, 5}, // low 32 bits, as NSNumber keeps them
        {std::int64_t{0x80000000}, INT_MIN},
        {3.9, 3},
        {-3.9, -3},
        {1e10, INT_MAX},
        {-1e10, INT_MIN},
        {std::nan(""), 0},
        {"42", 42},
        {"  -17abc", -17},
        {"+8", 8},
        {"\t 12", 12},
        {"00012", 12},
        {"abc", 0},
        {"", 0},
        {"- 5", 0},
        {"3.9", 3},
        {"1e3", 1},
        {"0x10", 0},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN},
        {"99999999999999999999999", INT_MAX},
        {"-99999999999999999999999", INT_MIN},
        {Data{{1, 2}}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(describe(c.value));
        EXPECT_EQ(c.value.intValue(), c.expected);
    }
}

struct FloatCase {
    Value value;
    float expected;
};

TEST(ValueReadings, FloatValueTakesTheDecimalPrefix) {
    const float infinity = std::numeric_limits<float>::infinity();
    const FloatCase cases[] = {
        {true, 1.0f},           {3, 3.0f},           {2.5, 2.5f},           {"1.5", 1.5f},
        {"  -2.25xyz", -2.25f}, {"+.25", 0.25f},     {".5", 0.5f},          {"7.", 7.0f},
        {"1e3", 1000.0f},       {"1E-2", 0.01f},     {"1e", 1.0f},          {"1e+", 1.0f},
        {"1.5.2", 1.5f},        {"1e400", infinity}, {"-1e400", -infinity}, {"1e-400", 0.0f},
        {"abc", 0.0f},          {"", 0.0f},          {".", 0.0f},           {"-", 0.0f},
        {"inf", 0.0f},          {"nan", 0.0f},       {"0x1p3", 0.0f},       {Value(), 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(describe(c.value));
        EXPECT_EQ(c.value.floatValue(), c.expected);
    }
}

TEST(ValueReadings, FindLooksUpDictionaryEntriesOnly) {
    const Value dictionary(Dictionary{{"enabled", true}, {"listAlphaLevel", 40}});
    ASSERT_NE(dictionary.find("listAlphaLevel"), nullptr);
    EXPECT_EQ(dictionary.find("listAlphaLevel")->intValue(), 40);
    EXPECT_EQ(dictionary.find("missing"), nullptr);
    EXPECT_EQ(Value("enabled").find("enabled"), nullptr);
}

TEST(ValueReadings, DescriptionIsTheTextAFormatMakesOfTheValue) {
    const struct {
        Value value;
        const char* text;
    } cases[] = {
        {Value("Mail: "), "Mail: "}, {Value(42), "42"},   {Value(-7), "-7"},    {Value(true), "1"},
        {Value(false), "0"},         {Value(2.5), "2.5"}, {Value(Array{}), ""}, {Value(), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(descriptionOf(c.value), c.text) << describe(c.value);
}

} // namespace
} // namespace foundation
