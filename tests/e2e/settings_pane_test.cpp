// The settings pane driven from the command line (`tintbox settings show ... --toggle ...`) on a
// device root made by `tintbox init --sample`: each row action runs the pane's own code and
// writes the settings file, a running Mail list redraws with the change, changes made in
// different panes keep each other, and every kind of write leaves a file that Python's
// plistlib reads.
#include "platform/foundation/property_list.hpp"
#include "tests/e2e/sample_device_test.hpp"
#include "tests/e2e/watched_mail_list.hpp"
#include "tests/support/process.hpp"
#include "tests/support/temporary_folder.hpp"

#include <chrono>
#include <csignal>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

namespace {

using namespace tintbox::testing;
using nlohmann::json;
using ::testing::HasSubstr;

class SettingsPaneCommand : public SampleDeviceTest {
protected:
    // Runs a settings command that must succeed, and returns its output.
    std::string settingsCommand(std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), "settings");
        const auto result = tintbox(arguments);
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        EXPECT_EQ(result.err, "");
        return result.out;
    }

    // The settings file as Python's plistlib reads it, as JSON (bytes and dates never occur).
    json readByPlistlib() const {
        const auto result =
            runProcess({"python3", "-c",
                        "import json, plistlib, sys\n"
                        "with open(sys.argv[1], 'rb') as f: print(json.dumps(plistlib.load(f)))",
                        (root / kSampleSettingsFile).string()});
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        return result.exitStatus == 0 ? json::parse(result.out) : json();
    }
};

TEST_F(SettingsPaneCommand, EachActionWritesThroughThePaneAndReportsTheRow) {
    const json shown = json::parse(
        settingsCommand({"show", "--toggle", "Enabled", "--tap", "Reminders", "--text",
                         "Title Prefix", "Todo: ", "--slide", "Subject Length", "40", "--json"}));
    EXPECT_EQ(shown["title"], "Reminders");
    ASSERT_EQ(shown["actions"].size(), 4u);
    EXPECT_EQ(shown["actions"][0]["row"]["value"], "off");
    EXPECT_EQ(shown["actions"][1]["pane"], "Reminders");
    EXPECT_EQ(shown["actions"][2]["row"]["value"], "Todo: ");
    EXPECT_EQ(shown["actions"][3]["row"]["value"], "40");

    const auto file = settings();
    EXPECT_FALSE(file.at("enabled").boolValue());
    EXPECT_EQ(*file.at("reminderPrefix").asString(), "Todo: ");
    EXPECT_EQ(file.at("reminderSubjectLimit").intValue(), 40);

    const std::string text =
        settingsCommand({"show", "Message List Highlight", "--choose", "Band", "Right Edge"});
    EXPECT_THAT(text, HasSubstr("choose \"Band\" \"Right Edge\": (Right Edge)"));
    EXPECT_EQ(settings().at("highlightListType").intValue(), 2);
}

TEST_F(SettingsPaneCommand, BadRowsAndValuesAreOneLineErrorsThatChangeNothing) {
    const std::string before = fileContents(root / kSampleSettingsFile);
    const std::vector<std::vector<std::string>> cases{
        {"show", "--toggle", "No Such Row"},
        {"show", "--toggle", "Filters"},    // a link has no switch
        {"show", "--toggle", "9,0"},        // no such section
        {"show", "--slide", "0,0", "wide"}, // not a number
        {"show", "--choose", "Enabled"},    // a value is missing
        {"show", "--answer", "OK"},         // no alert is shown
        {"show", "--field", "text"},        // a field without its alert
        {"show", "Message List Highlight", "--choose", "Band", "Sideways"},
        {"show", "No Such Pane"},
    };
    for (auto arguments : cases) {
        arguments.insert(arguments.begin(), "settings");
        const auto result = tintbox(arguments);
        EXPECT_EQ(result.exitStatus, 2) << arguments[2];
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_EQ(result.out, "") << arguments[2];
    }
    EXPECT_EQ(fileContents(root / kSampleSettingsFile), before);
}

TEST_F(SettingsPaneCommand, HelpNamesTheRowActions) {
    const auto result = tintbox({"settings", "show", "--help"});
    EXPECT_EQ(result.exitStatus, 0);
    for (const char* option :
         {"--toggle", "--choose", "--text", "--slide", "--tap", "--move", "--answer", "--field"})
        EXPECT_THAT(result.out, HasSubstr(option));
}

TEST_F(SettingsPaneCommand, InitInstallsTheEntryThatListsThePaneInTheSettingsApp) {
    const json panes = json::parse(settingsCommand({"panes", "--json"}));
    ASSERT_EQ(panes.size(), 1u) << panes.dump();
    EXPECT_EQ(panes[0]["label"], "Tintbox");
    EXPECT_TRUE(panes[0]["installed"].get<bool>());
    const std::filesystem::path bundle = panes[0]["bundlePath"].get<std::string>();
    EXPECT_EQ(bundle, root / "Library/PreferenceBundles/Tintbox.bundle");
    // The row opens the bundle's root pane, which the Settings app makes from its Info.plist.
    const auto info = foundation::dictionaryWithContentsOfFile(bundle / "Info.plist");
    ASSERT_TRUE(info);
    EXPECT_EQ(*info->at("NSPrincipalClass").asString(), panes[0]["detail"]);
    EXPECT_TRUE(
        std::filesystem::exists(bundle / info->at("CFBundleExecutable").asString()->c_str()));
}

TEST_F(SettingsPaneCommand, ChangesInTwoOptionPanesKeepEachOther) {
    settingsCommand({"show", "Message List Highlight", "--slide", "Band Width", "20"});
    settingsCommand({"show", "Reminders", "--toggle", "Include Link to Message"});
    settingsCommand({"show", "--toggle", "Mark as Read and Move"});
    const auto file = settings();
    EXPECT_EQ(file.at("listWidthType").intValue(), 20);
    EXPECT_FALSE(file.at("reminderIncludeEmailLink").boolValue());
    EXPECT_FALSE(file.at("enableMarkAsReadAndMove").boolValue());
    EXPECT_EQ(*file.at("Work").asString(), "#1565C0");
    EXPECT_EQ(file.at("filtersEnabled").asArray()->size(), 5u);
}

const json* findTag(const json& view, long tag) {
    if (view.value("tag", 0L) == tag)
        return &view;
    if (view.contains("subviews"))
        for (const auto& child : view.at("subviews"))
            if (const json* found = findTag(child, tag))
                return found;
    return nullptr;
}

// The account band of every row of a drawing, or nothing when a row has none.
std::vector<json> accountBands(const json& drawing) {
    std::vector<json> bands;
    for (const auto& row : drawing["rows"]) {
        const json* band = findTag(row["cell"], 2626);
        if (!band)
            return {};
        bands.push_back(*band);
    }
    return bands;
}

TEST_F(SettingsPaneCommand, ARunningMailListRedrawsWithAChangeMadeInThePane) {
    WatchedMailList watched(root.path(), "Work", "INBOX");
    const auto opacityIs = [](double expected) {
        return [expected](const json& drawing) {
            const auto bands = accountBands(drawing);
            return !bands.empty() && std::all_of(bands.begin(), bands.end(), [&](const json& b) {
                return std::abs(b["alpha"].get<double>() - expected) < 1e-6;
            });
        };
    };
    ASSERT_TRUE(watched.waitForDrawing(opacityIs(0.30))) << fileContents(watched.output());

    settingsCommand({"show", "Message List Highlight", "--slide", "Opacity (%)", "80"});
    EXPECT_TRUE(watched.waitForDrawing(opacityIs(0.80))) << "no redraw with the new opacity";

    settingsCommand({"colour", "--key", "Work", "--hex", "00FF00"});
    EXPECT_TRUE(watched.waitForDrawing([](const json& drawing) {
        const auto bands = accountBands(drawing);
        return !bands.empty() && bands.front()["layer"]["colors"][0] == "#00FF00FF";
    })) << "no redraw with the new colour";
    EXPECT_EQ(watched.stop(), 0);
}

TEST_F(SettingsPaneCommand, PlistlibReadsTheFileAfterEveryKindOfWrite) {
    const struct {
        const char* kind;
        std::vector<std::string> arguments;
        std::function<bool(const json&)> written;
    } writes[] = {
        {"toggle",
         {"show", "--toggle", "Enabled"},
         [](const json& f) { return f["enabled"] == false; }},
        {"choose",
         {"show", "Open Message Highlight", "--choose", "Area", "Around the Subject"},
         [](const json& f) { return f["highlightMessageType"] == 1; }},
        {"text",
         {"show", "Reminders", "--text", "Title Prefix", "<&> \"quoted\" é"},
         [](const json& f) { return f["reminderPrefix"] == "<&> \"quoted\" é"; }},
        {"slide",
         {"show", "Reminders", "--slide", "Body Length", "123"},
         [](const json& f) { return f["reminderBodyLimit"] == 123; }},
        {"colour",
         {"colour", "--key", "Home", "--hex", "123abc"},
         [](const json& f) { return f["Home"] == "#123ABC"; }},
        {"filter add",
         {"show", "Filters", "--tap", "Tap, to add new filter"},
         [](const json& f) { return f["filtersEnabled"].size() == 6; }},
        {"filter pattern",
         {"show", "Filters/0,5", "--text", "To", "<b>&amp;</b>"},
         [](const json& f) { return f["filtersEnabled"][5]["to"] == "<b>&amp;</b>"; }},
        {"filter colour",
         {"colour", "--key", "Color Value 5", "--hex", "ABCDEF"},
         [](const json& f) { return f["filtersEnabled"][5]["hexColor"] == "#ABCDEF"; }},
        {"filter move",
         {"show", "Filters", "--move", "0,5", "1,1"},
         [](const json& f) {
             return f["filtersEnabled"].size() == 5 && f["filtersDisabled"].size() == 2 &&
                    f["filtersDisabled"][0]["to"] == "<b>&amp;</b>";
         }},
        {"filter delete",
         {"show", "Filters", "--move", "1,1", "2,0"},
         [](const json& f) { return f["filtersDisabled"].size() == 1; }},
    };
    for (const auto& write : writes) {
        settingsCommand(write.arguments);
        const json file = readByPlistlib();
        ASSERT_TRUE(file.is_object()) << write.kind;
        EXPECT_TRUE(write.written(file)) << write.kind << ": " << file.dump();
        EXPECT_EQ(file["Work"], "#1565C0") << write.kind;
    }
}

TEST_F(SettingsPaneCommand, AFilterMadeInThePanesColoursTheMailItMatches) {
    // A bare number in a path is a row of the first section: here the first enabled filter.
    EXPECT_THAT(settingsCommand({"show", "Filters/0"}), HasSubstr("From  = lovelace|babbage"));
    const std::string added = settingsCommand({"show", "Filters", "--tap", "1,0"});
    EXPECT_THAT(added, HasSubstr("[0,5] \n")) << "a new, empty last enabled filter";

    const json editor = json::parse(settingsCommand(
        {"show", "Filters/0,5", "--text", "From", "lovelace|ada@", "--text", "Subject",
         "analytical", "--choose", "Subject Joins by", "AND", "--json"}));
    EXPECT_EQ(editor["title"], "Filter");
    EXPECT_EQ(editor["rows"][9]["title"], "(From) AND Subject") << editor["rows"].dump();
    EXPECT_THAT(settingsCommand({"colour", "--key", "Color Value 5", "--hex", "00AA00"}),
                HasSubstr("stored #00AA00"));
    // First in the list, so its stripe comes first.
    settingsCommand({"show", "Filters", "--move", "0,5", "0,0"});

    const auto listed =
        tintbox({"mail", "list", "--account", "Work", "--mailbox", "INBOX", "--json=views"});
    ASSERT_EQ(listed.exitStatus, 0) << listed.err;
    const json list = json::parse(listed.out);
    std::map<std::string, std::vector<std::string>> stripes;
    for (const auto& row : list["rows"]) {
        const json* band = findTag(row["cell"], 26262);
        if (band && band->contains("layer"))
            stripes[row["subject"]] =
                band->at("layer").at("colors").get<std::vector<std::string>>();
    }
    EXPECT_EQ(stripes["Notes on the analytical engine draft"],
              (std::vector<std::string>{"#00AA00FF", "#00AA00FF", "#D32F2FFF", "#D32F2FFF"}));
    for (const auto& [subject, colours] : stripes) {
        if (subject == "Notes on the analytical engine draft")
            continue;
        EXPECT_TRUE(colours.empty() || colours.front() != "#00AA00FF") << subject;
    }
}

TEST_F(SettingsPaneCommand, AnInvalidPatternShowsTheAlertAndIsNotStored) {
    const std::string shown =
        settingsCommand({"show", "Filters/0,0", "--text", "Cc", "(", "--answer", "OK"});
    EXPECT_THAT(shown, HasSubstr("alert \"ERROR - cc\""));
    EXPECT_THAT(shown, HasSubstr("Invalid regular expression"));
    EXPECT_THAT(shown, HasSubstr("answer \"OK\": done"));
    EXPECT_EQ(*settings().at("filtersEnabled").asArray()->at(0).find("cc")->asString(), "");
}

} // namespace
