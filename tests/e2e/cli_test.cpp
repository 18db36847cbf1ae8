// The built `tintbox` command, run as a user runs it: on the sample settings, on files of the
// test's own, and on bad input.
#include "platform/foundation/property_list.hpp"
#include "tests/support/process.hpp"
#include "tests/support/temporary_folder.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using namespace tintbox::testing;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

const std::string kSample = std::string(TINTBOX_SAMPLES_DIR) + "/settings.plist";

ProcessResult tintbox(std::vector<std::string> arguments, const EnvironmentOverrides& env = {}) {
    arguments.insert(arguments.begin(), TINTBOX_EXECUTABLE);
    return runProcess(arguments, env);
}

foundation::Dictionary filter(std::string from, std::string subject, std::string colour) {
    return {{"from", std::move(from)},      {"fromMatchType", 0}, {"subject", std::move(subject)},
            {"subjectMatchType", 1},        {"to", ""},           {"cc", ""},
            {"hexColor", std::move(colour)}};
}

std::string writeSettings(const TemporaryFolder& folder, foundation::Dictionary settings) {
    const auto path = folder / "settings.plist";
    std::string error;
    if (!foundation::writePropertyListAtomically(foundation::Value(std::move(settings)), path,
                                                 &error))
        throw std::runtime_error(error);
    return path;
}

TEST(MatchCommand, PrintsTheColoursOfTheMatchingFiltersInOrder) {
    const auto result =
        tintbox({"match", "--settings", kSample, "--from", "Ada Lovelace <ada@analytical.example>",
                 "--subject", "Invoice 42 overdue"});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "#D32F2F\n#F9A825\n");
}

TEST(MatchCommand, JsonListsTheColours) {
    const auto result = tintbox({"match", "--settings", kSample, "--json", "--from",
                                 "billing@utility.example", "--subject", "Your invoice"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(nlohmann::json::parse(result.out)["colours"], nlohmann::json::array({"#FF8F00"}));
}

TEST(MatchCommand, AMessageThatMatchesNothingPrintsNothing) {
    const auto result = tintbox({"match", "--settings", kSample, "--subject", "Lunch?"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_THAT(result.out, IsEmpty());
}

TEST(MatchCommand, ReadsTheDeviceRootsSettingsWithoutSettingsOption) {
    TemporaryDeviceRoot root;
    std::string error;
    const auto file = root / "private/var/mobile/Library/Preferences/net.quillward.tintbox.plist";
    std::filesystem::create_directories(file.parent_path());
    ASSERT_TRUE(foundation::writePropertyListAtomically(
        foundation::Dictionary{
            {"filtersEnabled", foundation::Array{filter("", "release", "#123456")}}},
        file, &error))
        << error;
    const auto result =
        tintbox({"match", "--subject", "Release notes"}, {{"TINTBOX_ROOT", root.path().c_str()}});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "#123456\n");
}

TEST(SnapshotCommand, PrintsEveryFieldUnderItsKeyAndTheCleanedFilters) {
    const auto result = tintbox({"snapshot", "--settings", kSample, "--json"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["enabled"], true);
    EXPECT_EQ(json["listWidthType"], 8);
    EXPECT_EQ(json["listAlphaLevel"], 0.3);
    EXPECT_EQ(json["listAlphaLevelFilters"], 1.0);
    EXPECT_EQ(json["messageWidthType"], 4096);
    EXPECT_EQ(json["hasSettingsDictionary"], true);
    EXPECT_EQ(json["settingsChanged"], false);
    ASSERT_EQ(json["filters"].size(), 4u); // the "#FFFFFF" filter is left out
    EXPECT_EQ(json["filters"][0]["from"], "lovelace|babbage");
    EXPECT_FALSE(json["filters"][0].contains("subject")); // empty patterns are removed
}

TEST(CheckCommand, ListsWhatTheMailExtensionIgnoresAndFailsWithStatusOne) {
    TemporaryFolder folder;
    const auto path = writeSettings(
        folder,
        {{"Work", "#1565C0"},
         {"Home", "navy"},
         {"listAlphaLevel", 140},
         {"enabled", "maybe"},
         {"filtersEnabled",
          foundation::Array{filter("alice", "", "#FFFFFF"), filter("", "", "#112233"),
                            filter("(unclosed", "", "#445566"), filter("bob", "", "#778899"),
                            filter("", "(.*.*)*=", "#AABBCC")}}});
    const auto result = tintbox({"check", "--settings", path});
    EXPECT_EQ(result.exitStatus, 1) << result.err;
    for (const char* expected : {"filtersEnabled filter 0: has no colour chosen",
                                 "filtersEnabled filter 4: subject pattern \"(.*.*)*=\" runs "
                                 "into the search time limit",
                                 "filtersEnabled filter 1: has no pattern",
                                 "filtersEnabled filter 2: from pattern \"(unclosed\" does not "
                                 "compile (U_REGEX_MISMATCHED_PAREN",
                                 "account \"Home\": colour \"navy\" is not a colour",
                                 "listAlphaLevel: is 140, outside 0 to 100 percent",
                                 "enabled: is the string \"maybe\", not a switch; it reads as NO"})
        EXPECT_THAT(result.out, HasSubstr(expected));
    EXPECT_THAT(result.out, Not(HasSubstr("filter 3")));
    EXPECT_THAT(result.out, Not(HasSubstr("Work")));
}

TEST(CheckCommand, ACleanFileIsReportedAsSuchWithStatusZero) {
    TemporaryFolder folder;
    const auto path = writeSettings(
        folder, {{"Work", "#1565C0"},
                 {"enabled", true},
                 {"filtersEnabled", foundation::Array{filter("bob", "report", "#778899")}}});
    const auto result = tintbox({"check", "--settings", path});
    EXPECT_EQ(result.exitStatus, 0) << result.out;
    EXPECT_THAT(result.out, HasSubstr("no problems found"));
}

struct BadInvocation {
    std::string name;
    std::vector<std::string> arguments;
    std::string message;
};

class BadInput : public ::testing::TestWithParam<BadInvocation> {};

TEST_P(BadInput, GivesAOneLineErrorAndStatusTwo) {
    TemporaryFolder folder;
    writeFile(folder / "garbage.plist", "this is not a property list");
    writeFile(folder / "array.plist", "<plist><array><string>x</string></array></plist>");
    std::vector<std::string> arguments;
    for (auto argument : GetParam().arguments) {
        if (argument.starts_with("@"))
            argument = folder / argument.substr(1);
        arguments.push_back(argument);
    }
    const auto result = tintbox(arguments);
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_THAT(result.out, IsEmpty());
    EXPECT_THAT(result.err, HasSubstr(GetParam().message));
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, BadInput,
    ::testing::Values(
        BadInvocation{"MissingFile", {"check", "--settings", "@missing.plist"}, "missing.plist"},
        BadInvocation{
            "NotAPropertyList", {"match", "--settings", "@garbage.plist"}, "garbage.plist"},
        BadInvocation{
            "NotADictionary", {"check", "--settings", "@array.plist"}, "not a dictionary"},
        BadInvocation{"UnknownOption",
                      {"match", "--settings", kSample, "--sender", "x"},
                      "unknown option '--sender'"},
        BadInvocation{
            "MissingValue", {"match", "--settings", kSample, "--from"}, "--from needs a value"},
        BadInvocation{"SnapshotWithoutJson", {"snapshot", "--settings", kSample}, "--json"},
        BadInvocation{"UnknownCommand", {"colour"}, "unknown command 'colour'"}),
    [](const auto& info) { return info.param.name; });

} // namespace
