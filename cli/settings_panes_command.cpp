// tintbox settings panes: the rows that the Settings app lists for the panes installed on the
// device (one entry file each), with the bundle each opens and whether that bundle is there.
#include "cli/commands.hpp"
#include "cli/common_options.hpp"
#include "cli/settings_source.hpp"
#include "sim/settings/preference_entries.hpp"

#include <iostream>
#include <nlohmann/json.hpp>

namespace tintbox::cli {
namespace {

int runSettingsPanes(const Arguments& arguments, std::ostream& out) {
    const bool json = arguments.flag("--json");
    const auto listed = sim::settings::readPreferenceEntries();
    for (const std::string& warning : listed.warnings)
        std::cerr << "tintbox settings: " << warning << '\n';

    auto rows = nlohmann::ordered_json::array();
    for (const auto& entry : listed.entries) {
        std::error_code ignored;
        const bool installed = std::filesystem::is_directory(entry.bundleFolder, ignored);
        if (json) {
            rows.push_back({{"label", entry.label},
                            {"bundle", entry.bundle},
                            {"detail", entry.detail},
                            {"bundlePath", entry.bundleFolder.string()},
                            {"installed", installed}});
        } else {
            out << entry.label << "  (" << entry.bundleFolder.string()
                << (installed ? "" : ", missing") << ")\n";
        }
    }
    if (json)
        out << rows.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    else if (listed.entries.empty())
        out << "no panes are listed (run tintbox init to install the settings pane)\n";
    return 0;
}

} // namespace

CommandDescription settingsPanesCommand() {
    return {.path = "settings panes",
            .summary = "the panes the Settings app lists",
            .options = {options::json()},
            .run = runSettingsPanes};
}

} // namespace tintbox::cli
