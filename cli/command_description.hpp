// One command of `tintbox` as data: its words, what it does, its options and operands, and the
// function that runs it. The parser, --help, the shell completions and the man page are all made
// from the table of these (command_table.cpp), so a new command is its own file plus one line
// in that table.
//   CommandDescription{.path = "filter list", .summary = "...", .options = {...}, .run =
//   runFilterList}
#pragma once

#include "cli/arguments.hpp"

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace tintbox::cli {

// What a value is, for completion and for the man page.
enum class ValueKind {
    Text,        // anything; nothing to complete
    File,        // a file name
    Folder,      // a folder name
    Account,     // an account of the device root
    Choice,      // one of the option's choices
    SettingsKey, // an option key of the settings file
};

enum class Arity {
    Flag,     // --json
    One,      // --account NAME, at most once
    Repeated, // --from ADDR, as often as wanted
    Several,  // --select ID..., several values after one option
    Optional, // --json[=views]: a value only in the --name=VALUE form
};

struct OptionDescription {
    std::string name;      // "--account"
    std::string valueName; // "NAME"; empty for a flag
    std::string help;
    Arity arity{Arity::One};
    std::size_t valuesPerUse{1}; // --choose ROW VALUE takes 2
    ValueKind kind{ValueKind::Text};
    std::vector<std::string> choices{};
    // Values are taken as given even when they look like options (text typed into a row).
    bool literalValues{false};
    bool required{false}; // shown without brackets; the command says what is missing
};

struct OperandDescription {
    std::string name; // "N"
    std::string help;
    bool required{true};
    ValueKind kind{ValueKind::Text};
    std::vector<std::string> choices{};
};

using RunCommand = int (*)(const Arguments&, std::ostream&);

struct CommandDescription {
    std::string path; // "mail list"; a group such as "mail" has no run function
    std::string summary;
    std::vector<OptionDescription> options{};
    std::vector<OperandDescription> operands{};
    RunCommand run{nullptr};
    bool hidden{false}; // left out of --help and the man page (the build's own commands)
};

// Every command and group, groups before their subcommands.
const std::vector<CommandDescription>& commandTable();

// "tintbox mail list [--account NAME] ...", made from the description.
std::string usageLine(const CommandDescription& command);
// --help of a command: its usage, summary and options; of a group, its subcommands' usages.
std::string helpText(const CommandDescription& command);
// tintbox --help: the usage, every command and subcommand with its summary, the options that
// many commands share, and where the manual is.
std::string topLevelHelp();
// The subcommands directly below a group ("" for the top level), in table order.
std::vector<const CommandDescription*> childrenOf(const std::string& groupPath);

} // namespace tintbox::cli
