// The commands of `tintbox`, each defined in its own file as a CommandSpec (its words, options
// and run function) and listed once in command_table.cpp. A command writes its result to `out`
// and answers the exit status; bad input is thrown as UsageError or InputError.
#pragma once

#include "cli/command_spec.hpp"

namespace tintbox::cli {

CommandSpec snapshotCommand();
CommandSpec matchCommand();
CommandSpec checkCommand();
CommandSpec initCommand();
CommandSpec demoCommand();
std::vector<CommandSpec> mailCommands();
std::vector<CommandSpec> mailToolbarCommands();
CommandSpec mailRemindCommand();
std::vector<CommandSpec> settingsCommands();
CommandSpec settingsShowCommand();
CommandSpec settingsColourCommand();
CommandSpec settingsPanesCommand();
std::vector<CommandSpec> filterCommands();
std::vector<CommandSpec> accountCommands();
std::vector<CommandSpec> getSetCommands();
std::vector<CommandSpec> buildFileCommands(); // man, completion

} // namespace tintbox::cli
