// The row actions of `tintbox settings show`: what a person does to a row of the shown pane
// (flip a switch, pick a choice, type, drag a slider, tap, drag a filter to another place,
// answer an alert), taken from the command line in the order given and run through the
// Settings app stand-in, so that the pane's own code does the work and writes the file.
//   for (const RowAction& action : rowActions(arguments))
//       report.push_back(runRowAction(app, action));
#pragma once

#include "cli/arguments.hpp"
#include "cli/command_description.hpp"
#include "sim/settings/SettingsApp.hpp"

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace tintbox::cli {

enum class RowActionKind {
    Toggle, // flip the row's switch
    Set,    // turn the row's switch on or off, whichever it is now
    Choose, // pick a value in the row's choice list
    Text,   // replace the row's text, as typed
    Slide,  // drag the row's slider to a value
    Tap,    // tap the row: links open their pane, buttons act
    Move,   // drag a row of an editable list to another place
    Answer, // tap a button of the shown alert, after typing into its fields
};

struct RowAction {
    RowActionKind kind;
    std::vector<std::string> values; // ROW [VALUE], FROM TO, or BUTTON
    std::vector<std::string> fields; // texts typed into the alert's fields (Answer)
    float number{0};                 // the slider value (Slide)

    std::string describe() const;
};

// --toggle ROW, --set ROW on|off, --choose ROW VALUE, --text ROW TEXT, --slide ROW VALUE,
// --tap ROW, --move FROM TO and --answer BUTTON [--field TEXT]... in command-line order. Throws
// UsageError for a slider value that is not a number, a --set that is not on or off, or a
// --field without an --answer.
std::vector<RowAction> rowActions(const Arguments& arguments);
// The options above, for the command's description.
std::vector<OptionDescription> rowActionOptions();

struct RowActionResult {
    nlohmann::ordered_json json; // {"action", "arguments", "pane", "row"?, "opened"?, "alerts"}
    std::string text;            // one line, and one more per alert shown
};

// Runs the action on the top pane and lets the panes settle. Throws InputError when the pane
// cannot do it (no such row, a disabled row, no alert shown, ...).
RowActionResult runRowAction(sim::settings::SettingsApp& app, const RowAction& action);

} // namespace tintbox::cli
