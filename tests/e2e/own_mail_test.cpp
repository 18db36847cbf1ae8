// The path of a new user with their own mail, typed as a user types it: a bare init on an
// mbsync-layout Maildir, an account colour and two filters from the command line, and the
// coloured list read as text, with --color=always and as compact JSON; every bad input gives
// one line and status 2 and leaves the settings file as it was.
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
namespace fs = std::filesystem;

constexpr const char* kSettingsFile =
    "private/var/mobile/Library/Preferences/net.quillward.tintbox.plist";

std::string message(const std::string& from, const std::string& subject) {
    return "From: " + from + "\nTo: me@example.com\nSubject: " + subject +
           "\nDate: Mon, 1 Jan 2024 10:00:00 +0000\n\nHello.\n";
}

// Terminal columns of UTF-8 text whose only wide characters are CJK ideographs.
std::size_t columns(const std::string& text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        width += (c >= 0x4E00 && c <= 0x9FFF) ? 2 : 1;
        i += length;
    }
    return width;
}

class OwnMail : public ::testing::Test {
protected:
    void SetUp() override {
        // The layout mbsync writes by default: one plain folder per mailbox.
        writeFile(mail / "INBOX/cur/1.a:2,S", message("Alice <alice@example.com>", "Lunch"));
        writeFile(mail / "INBOX/cur/2.b:2,", message("Bob <bob@work.example>", "Weekly report"));
        writeFile(mail / "INBOX/cur/3.c:2,S", message("李小龙 <li@example.cn>", "你好 report"));
        writeFile(mail / "Lists/dev/cur/4.d:2,S", message("List <dev@lists.example>", "Patch"));
        fs::create_directories(mail / "INBOX/new");
        fs::create_directories(mail / "Lists/dev/new");
    }

    ProcessResult tintbox(std::vector<std::string> arguments,
                          const EnvironmentOverrides& extra = {}) const {
        arguments.insert(arguments.begin(), TINTBOX_EXECUTABLE);
        EnvironmentOverrides environment{{"TINTBOX_ROOT", root.path().c_str()}};
        for (const auto& [name, value] : extra)
            environment[name] = value;
        return runProcess(arguments, environment);
    }

    // A bare init, an account colour and two filters, each as one command.
    void configure() const {
        for (const std::vector<std::string>& step :
             {std::vector<std::string>{"init", "--account", "My Mail=" + mail.path().string()},
              {"account", "colour", "my mail", "2e7d32"},
              {"filter", "add", "--from", "bob@work", "--colour", "C62828"},
              {"filter", "add", "--subject", "report", "--join-subject", "and", "--to", "me@",
               "--colour", "1565C0"}}) {
            const auto result = tintbox(step);
            ASSERT_EQ(result.exitStatus, 0) << step.front() << ": " << result.err;
        }
    }

    TemporaryFolder mail;
    TemporaryDeviceRoot root;
};

TEST_F(OwnMail, FromABareInitToAColouredListWithTwoFilters) {
    configure();
    const auto check = tintbox({"check"});
    EXPECT_EQ(check.exitStatus, 0) << check.out;
    const auto filters = tintbox({"filter", "list"});
    EXPECT_THAT(filters.out, HasSubstr("0   #C62828  From ~ bob@work"));
    EXPECT_THAT(filters.out, HasSubstr("1   #1565C0  To ~ me@ AND Subject ~ report"));

    const auto listed = tintbox({"mail", "list", "--json"});
    ASSERT_EQ(listed.exitStatus, 0) << listed.err;
    const auto list = nlohmann::json::parse(listed.out);
    ASSERT_EQ(list["rows"].size(), 3u) << "the inbox of the plain layout";
    std::map<std::string, nlohmann::json> bySubject;
    for (const auto& row : list["rows"])
        bySubject[row["subject"]] = row;
    const auto& bob = bySubject["Weekly report"];
    EXPECT_EQ(bob["account"], "My Mail");
    EXPECT_EQ(bob["mailbox"], "INBOX");
    EXPECT_EQ(bob["unread"], true);
    EXPECT_EQ(bob["date"], "2024-01-01T10:00:00Z");
    EXPECT_EQ(bob["bands"]["account"]["colours"], nlohmann::json::array({"#2E7D32"}));
    EXPECT_EQ(bob["bands"]["filter"]["colours"], nlohmann::json::array({"#C62828", "#1565C0"}));
    EXPECT_EQ(bySubject["Lunch"]["bands"]["filter"], nullptr);

    const auto lists = tintbox({"mail", "list", "--account", "MY MAIL", "--mailbox", "Lists.dev"});
    EXPECT_EQ(lists.exitStatus, 0) << lists.err;
    EXPECT_THAT(lists.out, HasSubstr("Patch"));
}

TEST_F(OwnMail, PipedTextHasNoEscapesAndColorAlwaysColoursAlignedByDisplayWidth) {
    configure();
    const auto piped = tintbox({"mail", "list"});
    EXPECT_THAT(piped.out, Not(HasSubstr("\x1b["))) << "not a terminal";
    EXPECT_THAT(piped.out, Not(HasSubstr("[#")));
    const auto dumb = tintbox({"mail", "list", "--color=auto"}, {{"TERM", "dumb"}});
    EXPECT_THAT(dumb.out, Not(HasSubstr("\x1b[")));
    const auto coloured = tintbox({"mail", "list", "--color=always"});
    EXPECT_THAT(coloured.out, HasSubstr("\x1b[38;2;"));

    // Rows with the same date and id length end in the same column whatever the sender's script.
    const auto widthOfRow = [](const std::string& text, const std::string& name) {
        const auto start = text.rfind('\n', text.find(name)) + 1;
        return columns(text.substr(start, text.find('\n', start) - start));
    };
    ASSERT_NE(piped.out.find("李小龙"), std::string::npos) << piped.out;
    EXPECT_EQ(widthOfRow(piped.out, "李小龙"), widthOfRow(piped.out, "Alice")) << piped.out;
}

TEST_F(OwnMail, ProgramsReadTheCompactJson) {
    configure();
    const auto listed = tintbox({"mail", "list", "--json"});
    const auto script = mail / "read.py";
    writeFile(script, "import json, sys\n"
                      "rows = json.load(open(sys.argv[1]))['rows']\n"
                      "print(sorted(r['subject'] for r in rows if r['bands']['filter']))\n");
    writeFile(mail / "list.json", listed.out);
    const auto read = runProcess({"python3", script.string(), (mail / "list.json").string()});
    EXPECT_EQ(read.exitStatus, 0) << read.err;
    EXPECT_EQ(read.out, "['Weekly report', '你好 report']\n");
}

TEST_F(OwnMail, TheOpenMessageListsItsAttachmentsAndSkipsHiddenText) {
    writeFile(mail / "INBOX/cur/5.e:2,S",
              "From: News <news@example.com>\nSubject: Newsletter\nMIME-Version: 1.0\n"
              "Content-Type: multipart/mixed; boundary=\"m\"\n\n"
              "--m\nContent-Type: text/html\n\n<div style=\"display:none\">Preheader teaser"
              "</div><p>Issue one</p>\n"
              "--m\nContent-Type: application/pdf\nContent-Disposition: attachment; "
              "filename=\"issue.pdf\"\nContent-Transfer-Encoding: base64\n\nJVBERi0xLjQK\n--m--\n");
    configure();
    const auto list = nlohmann::json::parse(tintbox({"mail", "list", "--json"}).out);
    std::string id;
    for (const auto& row : list["rows"])
        if (row["subject"] == "Newsletter")
            id = row["message"];
    ASSERT_FALSE(id.empty());
    const auto open = tintbox({"mail", "open", "--message", id});
    ASSERT_EQ(open.exitStatus, 0) << open.err;
    EXPECT_THAT(open.out, HasSubstr("Issue one"));
    EXPECT_THAT(open.out, Not(HasSubstr("Preheader")));
    EXPECT_THAT(open.out, HasSubstr("Attachment: issue.pdf (application/pdf, 9 bytes)"));
}

TEST_F(OwnMail, FolderNamesInModifiedUtf7AreShownAndTypedDecoded) {
    writeFile(mail / "&AMk-quipe/cur/6.f:2,S", message("Chef <chef@example.fr>", "Menu"));
    writeFile(mail / "R&D/cur/7.g:2,S", message("Lab <lab@example.com>", "Results"));
    configure();
    const auto folders = tintbox({"mail", "folders", "--account", "My Mail"});
    EXPECT_THAT(folders.out, HasSubstr("Équipe"));
    EXPECT_THAT(folders.out, HasSubstr("R&D")) << "not modified UTF-7, so shown as it is";
    for (const std::string typed : {"Équipe", "&AMk-quipe"}) {
        const auto listed = tintbox({"mail", "list", "--account", "My Mail", "--mailbox", typed});
        EXPECT_EQ(listed.exitStatus, 0) << typed << ": " << listed.err;
        EXPECT_THAT(listed.out, HasSubstr("Menu")) << typed;
    }
}

struct BadConfiguration {
    std::string name;
    std::vector<std::string> arguments;
    std::string message;
};

class OwnMailBadInput : public OwnMail, public ::testing::WithParamInterface<BadConfiguration> {};

TEST_P(OwnMailBadInput, GivesOneLineAndStatusTwoAndLeavesTheFileAlone) {
    configure();
    const std::string before = fileContents(root / kSettingsFile);
    const auto result = tintbox(GetParam().arguments);
    EXPECT_EQ(result.exitStatus, 2) << result.out;
    EXPECT_THAT(result.out, IsEmpty());
    EXPECT_THAT(result.err, HasSubstr(GetParam().message));
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_EQ(fileContents(root / kSettingsFile), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, OwnMailBadInput,
    ::testing::Values(
        BadConfiguration{
            "HexNotAColour", {"account", "colour", "My Mail", "zzz"}, "'zzz' is not a colour"},
        BadConfiguration{"NamedColour",
                         {"settings", "colour", "--key", "My Mail", "--hex", "red"},
                         "'red' is not a colour"},
        BadConfiguration{"ChannelOutOfRange",
                         {"settings", "colour", "--key", "My Mail", "--rgb", "300,0,0"},
                         "0 to 255"},
        BadConfiguration{"MistypedAccount",
                         {"account", "colour", "My Mial", "2E7D32"},
                         "did you mean 'My Mail'"},
        BadConfiguration{"NoSuchFilterColour",
                         {"settings", "colour", "--key", "Color Value 99", "--hex", "123456"},
                         "they are 0 to 1"},
        BadConfiguration{"BadPattern",
                         {"filter", "add", "--subject", "(x", "--colour", "123456"},
                         "Invalid regular expression U_REGEX_MISMATCHED_PAREN"},
        BadConfiguration{"NoSuchFilter", {"filter", "remove", "2"}, "'2' is not a filter number"},
        BadConfiguration{"UnknownKey", {"set", "listAlpha", "40"}, "nearest: listAlphaLevel"},
        BadConfiguration{"OutOfRange", {"set", "listAlphaLevel", "140"}, "from 0 to 100"},
        BadConfiguration{"NotASwitch", {"set", "enabled", "maybe"}, "give on or off"},
        BadConfiguration{"OptionTakenAsValue",
                         {"mail", "list", "--account", "--mailbox", "Sent"},
                         "--account needs a value"},
        BadConfiguration{"MistypedMailbox",
                         {"mail", "list", "--account", "My Mail", "--mailbox", "Lists/dve"},
                         "did you mean 'Lists/dev'"},
        BadConfiguration{
            "BadChoice", {"mail", "list", "--source", "unred"}, "did you mean 'unread'"}),
    [](const auto& info) { return info.param.name; });

TEST_F(OwnMail, BareInitKeepsAnExistingSettingsFileAndUsageGoesToStandardError) {
    writeFile(root / kSettingsFile, "not a property list");
    const auto made = tintbox({"init"});
    EXPECT_EQ(made.exitStatus, 0) << made.err;
    EXPECT_THAT(made.out, HasSubstr("settings kept"));
    EXPECT_EQ(fileContents(root / kSettingsFile), "not a property list");

    const auto bare = runProcess({TINTBOX_EXECUTABLE});
    EXPECT_EQ(bare.exitStatus, 2);
    EXPECT_THAT(bare.out, IsEmpty());
    EXPECT_THAT(bare.err, HasSubstr("Usage:"));
    const auto help = runProcess({TINTBOX_EXECUTABLE, "--help"});
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_EQ(help.out, bare.err);
    for (const char* expected :
         {"Usage: tintbox COMMAND", "\n  filter ", "\n    add ", "an enabled filter at the end",
          "Common options:\n", "\n  --color WHEN ", "See tintbox(1)"})
        EXPECT_THAT(help.out, HasSubstr(expected));
    EXPECT_THAT(help.out, Not(HasSubstr("completion"))) << "the build's own commands are hidden";
    for (std::size_t start = 0, end; (end = help.out.find('\n', start)) != std::string::npos;
         start = end + 1)
        EXPECT_LE(end - start, 79u) << help.out.substr(start, end - start);
    const auto version = runProcess({TINTBOX_EXECUTABLE, "--version"});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_THAT(version.out, HasSubstr("tintbox "));
    const auto full =
        runProcess({"sh", "-c", std::string(TINTBOX_EXECUTABLE) + " --help > /dev/full"});
    EXPECT_EQ(full.exitStatus, 2) << "a full disk is not success";
    EXPECT_THAT(full.err, HasSubstr("cannot write the output"));
}

} // namespace
