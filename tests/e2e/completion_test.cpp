// The completion scripts that `tintbox completion bash|zsh` makes, run by the real shells: bash
// through its completion function, zsh through its completion system in a pseudo-terminal. Both
// offer the same commands, options, value choices, files and accounts.
#include "tests/support/process.hpp"
#include "tests/support/temporary_folder.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>

namespace {

using namespace tintbox::testing;
using ::testing::Contains;
using ::testing::Not;
namespace fs = std::filesystem;

// Reads each line of the file named by $2, completes it in an interactive zsh whose fpath has
// $1, and appends the candidates that the completion system was given to $3, then "--" per
// line. Each line is typed only once the prompt is up, as zsh drops what is typed ahead of its
// line editor; the quotes split the marks so that their echo does not match.
constexpr const char* kZshCapture = R"ZSH(
zmodload zsh/zpty
zpty z zsh -f -i
zpty -w z "PROMPT='RE''ADY> ' RPROMPT= ; unsetopt auto_list beep; fpath=($1 \$fpath)"
zpty -w z "autoload -U compinit; compinit -u -D; bindkey -e; bindkey '^I' complete-word"
zpty -w z 'compadd () {
    if [[ ${@[1,(i)(-|--)]} == *-(O|A|D)\ * ]]; then builtin compadd "$@"; return; fi
    local -a hits; builtin compadd -A hits "$@"; print -rl -- ${(Q)hits} >>'$3'; builtin compadd "$@"
}'
zpty -w z "print SET''UP-DONE"
zpty -r -m z reply '*SETUP-DONE*READY> *'
while IFS= read -r line; do
    zpty -n -w z "$line"$'\t'
    zpty -w z $'\C-u'"print -- -- >>$3; print LI''NE-DONE"
    zpty -r -m z reply '*LINE-DONE*READY> *'
done < $2
zpty -d z
)ZSH";

// Completes each line with the bash function: the words after "tintbox", the last one being
// completed; prints COMPREPLY, then "--" per line.
constexpr const char* kBashCapture = R"SH(
source "$1"
while IFS= read -r line; do
    read -ra COMP_WORDS <<<"$line"
    [[ $line == *' ' ]] && COMP_WORDS+=('')
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _tintbox
    printf '%s\n' "${COMPREPLY[@]}" --
done < "$2"
)SH";

struct CompletionCase {
    std::string name;
    std::string line;
    std::vector<std::string> offered;
    std::vector<std::string> notOffered{};
};

const std::vector<CompletionCase> kCases{
    {"TopLevelCommands", "tintbox ", {"mail", "filter", "init", "account"}, {"man", "completion"}},
    {"TopLevelOptions", "tintbox --", {"--help", "--version"}},
    {"Subcommands", "tintbox mail ", {"list", "open", "folders"}, {"init"}},
    {"Options", "tintbox mail list --", {"--account", "--json", "--color", "--png"}},
    {"ValueChoices", "tintbox mail list --color ", {"auto", "always", "never"}},
    {"JoinChoices", "tintbox filter add --join-from ", {"and", "or"}},
    {"SettingsKeys", "tintbox get ", {"enabled"}},
    {"Files", "tintbox mail list --png pic", {"picture.png"}},
    {"Accounts", "tintbox mail list --account ", {"My Mail"}},
};

// The candidates of each line, as the shell's script prints them.
std::vector<std::vector<std::string>> candidatesByLine(const std::string& output) {
    std::vector<std::vector<std::string>> lines(1);
    std::istringstream in(output);
    for (std::string word; std::getline(in, word);) {
        if (word == "--")
            lines.emplace_back();
        else
            lines.back().push_back(word);
    }
    lines.pop_back();
    return lines;
}

class Completion : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        if (runProcess({"sh", "-c", "command -v " + GetParam()}).exitStatus != 0)
            GTEST_SKIP() << GetParam() << " is not installed";
        writeFile(mail / "cur/1.a:2,S", "From: a@example.com\nSubject: x\n\nhi\n");
        fs::create_directories(mail / "new");
        const auto init =
            runProcess({TINTBOX_EXECUTABLE, "init", "--account", "My Mail=" + mail.path().string()},
                       {{"TINTBOX_ROOT", root.path().c_str()}});
        ASSERT_EQ(init.exitStatus, 0) << init.err;
        writeFile(work / "picture.png", "");
    }

    std::vector<std::vector<std::string>> complete(const std::vector<CompletionCase>& cases) {
        std::string lines;
        for (const CompletionCase& each : cases)
            lines += each.line + "\n";
        writeFile(work / "lines", lines);
        const bool zsh = GetParam() == "zsh";
        const auto script = runProcess({TINTBOX_EXECUTABLE, "completion", GetParam()});
        writeFile(zsh ? work / "functions/_tintbox" : work / "tintbox.bash", script.out);
        writeFile(work / "capture", zsh ? kZshCapture : kBashCapture);
        // The account completion runs `tintbox` itself, found on PATH.
        const std::string path =
            fs::path(TINTBOX_EXECUTABLE).parent_path().string() + ":" + std::getenv("PATH");
        const EnvironmentOverrides environment{{"TINTBOX_ROOT", root.path().c_str()},
                                               {"PATH", path.c_str()},
                                               {"HOME", work.path().c_str()}};
        const std::string shellDirectory = "cd " + work.path().string() + " && ";
        const auto result =
            zsh ? runProcess({"sh", "-c",
                              shellDirectory +
                                  "timeout 120 zsh -f capture functions lines out && cat out"},
                             environment)
                : runProcess({"sh", "-c", shellDirectory + "bash capture tintbox.bash lines"},
                             environment);
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        return candidatesByLine(result.out);
    }

    TemporaryFolder mail;
    TemporaryFolder work;
    TemporaryDeviceRoot root;
};

TEST_P(Completion, OffersCommandsOptionsChoicesFilesAndAccountsFromTheCommandTable) {
    const auto candidates = complete(kCases);
    ASSERT_EQ(candidates.size(), kCases.size());
    for (std::size_t index = 0; index < kCases.size(); ++index) {
        const CompletionCase& each = kCases[index];
        for (const std::string& word : each.offered)
            EXPECT_THAT(candidates[index], Contains(word)) << each.name << ": " << each.line;
        for (const std::string& word : each.notOffered)
            EXPECT_THAT(candidates[index], Not(Contains(word))) << each.name << ": " << each.line;
    }
}

INSTANTIATE_TEST_SUITE_P(Shells, Completion, ::testing::Values("bash", "zsh"));

} // namespace
