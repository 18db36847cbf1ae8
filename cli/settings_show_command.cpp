// tintbox settings show [PATH]: the settings pane as the Settings app stand-in shows it - the
// root pane, or the pane reached by tapping the rows of PATH from the root ("Filters/0": the
// row titled Filters, then the first row titled 0; a step may also be "S,R") - as terminal
// text, --json or a --png picture.
#include "cli/commands.hpp"
#include "cli/settings_source.hpp"
#include "sim/settings/SettingsApp.hpp"

#include <nlohmann/json.hpp>
#include <sstream>

namespace tintbox::cli {
namespace {

std::vector<std::string> pathSteps(const std::string& path) {
    std::vector<std::string> steps;
    std::stringstream stream(path);
    for (std::string step; std::getline(stream, step, '/');)
        if (!step.empty())
            steps.push_back(step);
    return steps;
}

} // namespace

int runSettingsShow(Arguments arguments, std::ostream& out) {
    const bool json = arguments.takeFlag("--json");
    const auto png = arguments.takeOption("--png");
    const auto path = arguments.takePositional();
    arguments.finish();
    if (json && png)
        throw UsageError("--json and --png exclude each other");

    auto app = sim::settings::SettingsApp::launch();
    if (!app.loadError().empty())
        throw InputError(app.loadError());
    for (const std::string& step : pathSteps(path.value_or(""))) {
        PSViewController* before = app.topPane();
        try {
            app.tapRow(app.findRow(step));
        } catch (const std::invalid_argument& error) {
            throw InputError("path step '" + step + "': " + error.what());
        }
        if (app.topPane() == before)
            throw InputError("path step '" + step + "' opens no pane");
    }
    sim::settings::SettingsApp::settle();
    if (png)
        app.writePNG(*png);
    else if (json)
        out << app.json().dump(2) << '\n';
    else
        out << app.text();
    return 0;
}

} // namespace tintbox::cli
