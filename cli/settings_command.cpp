// tintbox settings: the settings pane's screens in the Settings app stand-in, one subcommand per
// screen (tintbox settings colour ...), each in its own file.
#include "cli/commands.hpp"

namespace tintbox::cli {

std::vector<CommandDescription> settingsCommands() {
    return {{.path = "settings",
             .summary = "show and drive the settings pane as the Settings app does"},
            settingsShowCommand(),
            settingsColourCommand(),
            settingsPanesCommand()};
}

} // namespace tintbox::cli
