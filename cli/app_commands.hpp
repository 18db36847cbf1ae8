// tintbox mail app, tintbox settings app and tintbox app: the stand-in apps in desktop windows.
#pragma once

#include "cli/command_description.hpp"

#include <ostream>

namespace tintbox::cli {

int runMailApp(const Arguments& arguments, std::ostream& out);
int runSettingsApp(const Arguments& arguments, std::ostream& out);
// Both apps side by side, each in a process of its own; ends when both windows are closed.
int runApp(const Arguments& arguments, std::ostream& out);
// Their entries of the command table.
std::vector<CommandDescription> appCommands();

} // namespace tintbox::cli
