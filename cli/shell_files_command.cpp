// tintbox man and tintbox completion bash|zsh: the man page and the completion scripts, which
// the build writes into the build tree and the install puts where man and the shells find them.
#include "cli/commands.hpp"
#include "cli/shell_files.hpp"

namespace tintbox::cli {
namespace {

int runMan(const Arguments&, std::ostream& out) {
    out << manPage();
    return 0;
}

int runCompletion(const Arguments& arguments, std::ostream& out) {
    out << (*arguments.operand("SHELL") == "zsh" ? zshCompletion() : bashCompletion());
    return 0;
}

} // namespace

std::vector<CommandDescription> buildFileCommands() {
    return {
        {.path = "man", .summary = "print the man page (roff)", .run = runMan, .hidden = true},
        {.path = "completion",
         .summary = "print the completion script of a shell",
         .operands = {{.name = "SHELL",
                       .help = "bash or zsh",
                       .kind = ValueKind::Choice,
                       .choices = {"bash", "zsh"}}},
         .run = runCompletion,
         .hidden = true},
    };
}

} // namespace tintbox::cli
