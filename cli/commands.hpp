// The commands of `tintbox`, each defined in its own file as a CommandDescription (its words,
// options and run function) and listed once in command_table.cpp. A command writes its result to
// `out` and answers the exit status; bad input is thrown as UsageError or InputError.
#pragma once

#include "cli/command_description.hpp"

namespace tintbox::cli {

CommandDescription snapshotCommand();
CommandDescription matchCommand();
CommandDescription checkCommand();
CommandDescription initCommand();
CommandDescription demoCommand();
std::vector<CommandDescription> mailCommands();
std::vector<CommandDescription> mailToolbarCommands();
CommandDescription mailRemindCommand();
std::vector<CommandDescription> settingsCommands();
CommandDescription settingsShowCommand();
CommandDescription settingsColourCommand();
CommandDescription settingsPanesCommand();
std::vector<CommandDescription> filterCommands();
std::vector<CommandDescription> accountCommands();
std::vector<CommandDescription> getSetCommands();
std::vector<CommandDescription> buildFileCommands(); // man, completion

} // namespace tintbox::cli
