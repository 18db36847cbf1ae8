// tintbox settings show [PATH] [ACTION]...: the settings pane as the Settings app stand-in shows
// it - the root pane, or the pane reached by tapping the rows of PATH from the root
// ("Filters/0": the row titled Filters, then row 0 of the first section; a step may also be
// "S,R")
// - after the row actions given (--toggle, --set, --choose, --text, --slide, --tap, --move,
// --answer),
// run in order on whatever pane is on top, as terminal text, --json or a --png picture.
#include "cli/commands.hpp"
#include "cli/common_options.hpp"
#include "cli/settings_row_actions.hpp"
#include "cli/settings_source.hpp"
#include "cli/terminal_text.hpp"
#include "sim/settings/SettingsApp.hpp"

#include <iostream>
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

int runSettingsShow(const Arguments& arguments, std::ostream& out) {
    const std::vector<RowAction> actions = rowActions(arguments);
    const bool json = arguments.flag("--json");
    const auto png = arguments.value("--png");
    const auto path = arguments.operand("PATH");
    if (json && png)
        throw UsageError("--json and --png exclude each other");

    auto app = sim::settings::SettingsApp::launch();
    if (!app.loadError().empty())
        throw InputError(app.loadError() + " (run tintbox init to install the settings pane)");
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

    std::vector<RowActionResult> results;
    for (const RowAction& action : actions)
        results.push_back(runRowAction(app, action));

    if (png) {
        app.writePNG(*png);
        for (const RowActionResult& result : results)
            out << result.text << '\n';
        std::cerr << "Wrote " << *png << '\n';
    } else if (json) {
        auto shown = app.json();
        if (!actions.empty()) {
            auto list = nlohmann::ordered_json::array();
            for (const RowActionResult& result : results)
                list.push_back(result.json);
            shown["actions"] = list;
        }
        out << shown.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    } else {
        for (const RowActionResult& result : results)
            out << terminalBlock(result.text) << '\n';
        if (!results.empty())
            out << '\n';
        out << terminalBlock(app.text());
    }
    return 0;
}

} // namespace

CommandDescription settingsShowCommand() {
    auto options = rowActionOptions();
    options.push_back(options::json());
    options.push_back(options::png("write a picture of the pane to FILE"));
    return {.path = "settings show",
            .summary = "a pane (PATH: rows tapped from the root, such as Filters/0), after the row "
                       "actions given, in order; ROW is \"SECTION,ROW\", the row's title, or a "
                       "row number of the first section",
            .options = std::move(options),
            .operands = {{.name = "PATH", .help = "rows tapped from the root", .required = false}},
            .run = runSettingsShow};
}

} // namespace tintbox::cli
