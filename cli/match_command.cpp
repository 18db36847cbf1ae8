#include "cli/commands.hpp"
#include "cli/settings_source.hpp"
#include "engine/matcher.hpp"
#include "settings/loader.hpp"

#include <nlohmann/json.hpp>

namespace tintbox::cli {
namespace {

std::optional<std::vector<std::string>> listOrNone(std::vector<std::string> addresses) {
    if (addresses.empty())
        return std::nullopt;
    return addresses;
}

} // namespace

int runMatch(Arguments arguments, std::ostream& out) {
    const bool json = arguments.takeFlag("--json");
    const SettingsSource source = takeSettingsSource(arguments);
    engine::MessageFields message;
    message.subject = arguments.takeOption("--subject");
    message.senders = listOrNone(arguments.takeRepeated("--from"));
    message.to = listOrNone(arguments.takeRepeated("--to"));
    message.cc = listOrNone(arguments.takeRepeated("--cc"));
    arguments.finish();

    settings::SettingsSnapshot snapshot;
    settings::loadSettings(snapshot, source.path);
    engine::FilterSet filters(snapshot.filters);
    const engine::MatchResult result = filters.match(message);

    if (json) {
        out << nlohmann::ordered_json{{"colours", result.colours}}.dump(2) << '\n';
    } else {
        for (const auto& colour : result.colours)
            out << colour << '\n';
    }
    return 0;
}

} // namespace tintbox::cli
