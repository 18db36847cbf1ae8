#include "cli/commands.hpp"
#include "cli/common_options.hpp"
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

int runMatch(const Arguments& arguments, std::ostream& out) {
    const bool json = arguments.flag("--json");
    const SettingsSource source = settingsSource(arguments);
    engine::MessageFields message;
    message.subject = arguments.value("--subject");
    message.senders = listOrNone(arguments.values("--from"));
    message.to = listOrNone(arguments.values("--to"));
    message.cc = listOrNone(arguments.values("--cc"));

    settings::SettingsSnapshot snapshot;
    settings::loadSettings(snapshot, source.path);
    engine::FilterSet filters(snapshot.filters);
    const engine::MatchResult result = filters.match(message);

    if (json) {
        out << nlohmann::ordered_json{{"colours", result.colours}}.dump(
                   2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
            << '\n';
    } else {
        for (const auto& colour : result.colours)
            out << colour << '\n';
    }
    return 0;
}

} // namespace

CommandDescription matchCommand() {
    const auto address = [](std::string name, std::string help) {
        return OptionDescription{.name = std::move(name),
                                 .valueName = "ADDR",
                                 .help = std::move(help),
                                 .arity = Arity::Repeated};
    };
    return {.path = "match",
            .summary = "print the colours of the filters that a message matches, in order",
            .options = {options::settings(),
                        {.name = "--subject", .valueName = "TEXT", .help = "the subject"},
                        address("--from", "a sender"),
                        address("--to", "a To recipient"),
                        address("--cc", "a Cc recipient"),
                        options::json()},
            .run = runMatch};
}

} // namespace tintbox::cli
