// The subcommands of `tintbox`. Each takes the words after its name, writes its result to `out`
// and returns the exit status; bad input is thrown as UsageError or InputError.
#pragma once

#include "cli/arguments.hpp"

#include <ostream>

namespace tintbox::cli {

int runSnapshot(Arguments arguments, std::ostream& out);
int runMatch(Arguments arguments, std::ostream& out);
int runCheck(Arguments arguments, std::ostream& out);
int runInit(Arguments arguments, std::ostream& out);
int runSettings(Arguments arguments, std::ostream& out);
int runSettingsColour(Arguments arguments, std::ostream& out);
int runSettingsShow(Arguments arguments, std::ostream& out);
int runSettingsPanes(Arguments arguments, std::ostream& out);
int runMail(Arguments arguments, std::ostream& out);
int runDemo(Arguments arguments, std::ostream& out);

} // namespace tintbox::cli
