// tintbox settings: the settings pane's screens in the Settings app stand-in, one subcommand per
// screen (tintbox settings colour ...). The first word names the subcommand.
#include "cli/app_commands.hpp"
#include "cli/commands.hpp"

#include <map>
#include <string>

namespace tintbox::cli {

int runSettings(Arguments arguments, std::ostream& out) {
    static const std::map<std::string, int (*)(Arguments, std::ostream&), std::less<>> subcommands{
        {"colour", runSettingsColour},
        {"show", runSettingsShow},
        {"panes", runSettingsPanes},
        {"app", runSettingsApp},
    };
    const auto name = arguments.takePositional();
    if (!name)
        throw UsageError("name a subcommand: colour, show, panes or app");
    const auto found = subcommands.find(*name);
    if (found == subcommands.end())
        throw UsageError("unknown subcommand '" + *name + "' (try colour, show, panes or app)");
    return found->second(std::move(arguments), out);
}

} // namespace tintbox::cli
