// The whole command line: picks the command of the table that the words name, parses its
// options with CLI11, runs it, and turns every mistake into one line on standard error with
// status 2. Help and the version go to standard output.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tintbox::cli {

// The words after the program name; answers the exit status.
int runCommandLine(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

} // namespace tintbox::cli
