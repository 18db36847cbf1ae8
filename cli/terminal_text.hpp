// Text from outside (subjects, names, bodies) made safe to print to a terminal: control
// characters, which could move the cursor, clear the screen or forge rows, are shown as visible
// symbols instead (ESC as U+241B, BEL as U+2407, ...), and bytes that are not UTF-8 as U+FFFD.
//   out << terminalLine(subject) << '\n';   out << terminalBlock(body);
#pragma once

#include <string>
#include <string_view>

namespace tintbox::cli {

// One line: every control character is shown, line breaks included; a tab becomes a space.
std::string terminalLine(std::string_view text);

// Several lines: line feeds and tabs are kept (a CR LF pair is one line break), every other
// control character is shown.
std::string terminalBlock(std::string_view text);

} // namespace tintbox::cli
