#include "platform/foundation/plist_handle.hpp"
#include "platform/foundation/property_list.hpp"
#include "tests/platform/foundation/test_support.hpp"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

namespace foundation {
namespace {

using testing::TemporaryFolder;

std::string document(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" + body +
           "</plist>\n";
}

// One value of every kind, nested, with the awkward corners of each.
Value everyKind() {
    Data allBytes;
    for (int b = 0; b < 256; ++b)
        allBytes.bytes.push_back(static_cast<std::uint8_t>(b));
    return Dictionary{
        {"booleans", Array{true, false}},
        {"integers", Array{0, -5, std::int64_t{1} << 40, std::numeric_limits<std::int64_t>::min(),
                           std::numeric_limits<std::int64_t>::max()}},
        {"reals", Array{0.1, -1e300, 1.0 / 3.0, 2.0, 5e-324}},
        {"strings", Array{"", "caf\xc3\xa9 \xf0\x9f\x98\x80", "a<b>&c ]]> \"q\" 'a'",
                          " padded \r\n line \r end \n"}},
        {"data", Array{allBytes, Data{}}},
        {"dates", Array{Date{0.0}, Date{-31622401.0}, Date{725846400.0}}},
        {"nested", Dictionary{{"empty dictionary", Dictionary{}},
                              {"empty array", Array{}},
                              {"deeper", Array{Dictionary{{"k\xc3\xa9y", 1}}}}}},
    };
}

TEST(PropertyList, XmlRoundTripKeepsEveryKind) {
    const Value original = everyKind();
    const std::string xml = xmlPropertyList(original);
    std::string error;
    const auto parsed = parsePropertyList(xml, &error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(*parsed, original);
}

TEST(PropertyList, BinaryFormIsRead) {
    const std::string xml = xmlPropertyList(everyKind());
    plist_t raw = nullptr;
    plist_from_xml(xml.data(), static_cast<std::uint32_t>(xml.size()), &raw);
    const PlistHandle tree(raw);
    ASSERT_TRUE(tree);
    char* binary = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(raw, &binary, &length);
    const PlistKeyBuffer bytes(binary);
    ASSERT_EQ(std::string_view(binary, 8), "bplist00");

    const auto parsed = parsePropertyList(std::string_view(binary, length));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(*parsed, everyKind());
}

TEST(PropertyList, XmlIsSortedAndKeepsTheSignOfIntegers) {
    const std::string xml =
        xmlPropertyList(Dictionary{{"b", -5}, {"a", std::int64_t{-4294967296}}, {"c", 7}});
    const auto a = xml.find("<key>a</key>");
    const auto b = xml.find("<key>b</key>");
    const auto c = xml.find("<key>c</key>");
    ASSERT_NE(a, std::string::npos);
    EXPECT_LT(a, b);
    EXPECT_LT(b, c);
    EXPECT_NE(xml.find("<integer>-5</integer>"), std::string::npos);
    EXPECT_NE(xml.find("<integer>-4294967296</integer>"), std::string::npos);
}

struct ParseCase {
    std::string body;
    Value expected;
};

TEST(PropertyList, ParsesEachXmlElement) {
    const ParseCase cases[] = {
        {"<integer>-5</integer>", -5},
        {"<integer>4294967296</integer>", std::int64_t{4294967296}},
        {"<integer>-9223372036854775808</integer>", std::numeric_limits<std::int64_t>::min()},
        {"<integer>9223372036854775807</integer>", std::numeric_limits<std::int64_t>::max()},
        // Beyond INT64_MAX only a real keeps the magnitude; it must not wrap to a negative.
        {"<integer>18446744073709551615</integer>", 18446744073709551615.0},
        {"<real>2.5</real>", 2.5},
        {"<real>-0.125</real>", -0.125},
        {"<true/>", true},
        {"<false/>", false},
        {"<string>caf\xc3\xa9 &amp; &lt;tea&gt;</string>", "caf\xc3\xa9 & <tea>"},
        {"<data>AAEC/w==</data>", Data{{0, 1, 2, 255}}},
        {"<date>2001-01-01T00:00:10Z</date>", Date{10.0}},
        {"<date>1999-12-31T23:59:59Z</date>", Date{-31622401.0}},
        {"<array><integer>1</integer><string>x</string></array>", Array{1, "x"}},
        {"<dict><key>b</key><integer>2</integer><key>a</key><true/></dict>",
         Dictionary{{"a", true}, {"b", 2}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body);
        std::string error;
        const auto parsed = parsePropertyList(document(c.body), &error);
        ASSERT_TRUE(parsed) << error;
        EXPECT_EQ(*parsed, c.expected);
    }
}

TEST(PropertyList, RefusesWhatIsNotAPropertyList) {
    const std::string cases[] = {"", "garbage", "<plist>", "bplist00 truncated",
                                 document("<string>unterminated</plist>")};
    for (const auto& bytes : cases) {
        SCOPED_TRACE(bytes);
        std::string error;
        EXPECT_FALSE(parsePropertyList(bytes, &error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

TEST(PropertyList, RefusesValuesNoPropertyListCanHold) {
    const Value cases[] = {
        Value(),
        Dictionary{{"key", Value()}},
        Array{Value()},
        "control \x01 character",
        "invalid \xff UTF-8",
        std::string("nul\0inside", 10),
        Dictionary{{std::string("k\0y", 3), 1}},
        Date{std::numeric_limits<double>::infinity()},
        Date{-7.0e10}, // before the year 1
        Date{2.6e11},  // after the year 9999
    };
    for (const auto& value : cases) {
        EXPECT_THROW(xmlPropertyList(value), std::invalid_argument);
    }
}

class PropertyListFile : public ::testing::Test {
protected:
    TemporaryFolder folder;
};

TEST_F(PropertyListFile, WrittenFileReadsBack) {
    const auto path = folder / "settings.plist";
    std::string error;
    ASSERT_TRUE(writePropertyListAtomically(everyKind(), path, &error)) << error;
    const auto dictionary = dictionaryWithContentsOfFile(path, &error);
    ASSERT_TRUE(dictionary) << error;
    EXPECT_EQ(Value(*dictionary), everyKind());
    EXPECT_EQ(folder.entryCount(), 1u);
}

TEST_F(PropertyListFile, ErrorsNameTheFileAndTheProblem) {
    testing::writeFile(folder / "garbage.plist", "not a property list at all");
    testing::writeFile(folder / "array.plist", document("<array><true/></array>"));
    std::filesystem::create_directory(folder / "folder.plist");
    struct Case {
        std::string name;
        std::string problem;
    };
    const Case cases[] = {{"missing.plist", "no such file"},
                          {"garbage.plist", "not a property list"},
                          {"folder.plist", "folder"},
                          {"array.plist", "root is not a dictionary"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        EXPECT_FALSE(dictionaryWithContentsOfFile(folder / c.name, &error));
        EXPECT_NE(error.find((folder / c.name).string()), std::string::npos) << error;
        EXPECT_NE(error.find(c.problem), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
    // The array is a property list, only not a dictionary.
    const auto array = readPropertyListFile(folder / "array.plist");
    ASSERT_TRUE(array);
    EXPECT_EQ(*array, Value(Array{true}));
}

} // namespace
} // namespace foundation
