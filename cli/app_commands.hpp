// tintbox mail app, tintbox settings app and tintbox app: the stand-in apps in desktop windows.
#pragma once

#include "cli/arguments.hpp"

#include <ostream>

namespace tintbox::cli {

int runMailApp(Arguments arguments, std::ostream& out);
int runSettingsApp(Arguments arguments, std::ostream& out);
// Both apps side by side, each in a process of its own; ends when both windows are closed.
int runApp(Arguments arguments, std::ostream& out);

} // namespace tintbox::cli
