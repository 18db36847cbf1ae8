#include "cli/commands.hpp"
#include "cli/common_options.hpp"
#include "cli/json_value.hpp"
#include "cli/settings_source.hpp"
#include "settings/loader.hpp"

#include <variant>

namespace tintbox::cli {
namespace {

using settings::SettingsSnapshot;
namespace keys = settings;

using Field = std::variant<bool SettingsSnapshot::*, std::int32_t SettingsSnapshot::*,
                           float SettingsSnapshot::*>;

struct SnapshotField {
    std::string_view key;
    Field member;
};

// Every typed field of the snapshot under the settings key it is read from, in load order.
constexpr SnapshotField kSnapshotFields[] = {
    {keys::kEnabled, &SettingsSnapshot::enabled},
    {keys::kEnableUnreadAndFlagged, &SettingsSnapshot::enableUnreadAndFlagged},
    {keys::kEnableMarkAsReadAndMove, &SettingsSnapshot::enableMarkAsReadAndMove},
    {keys::kReminderIncludeEmailLink, &SettingsSnapshot::reminderIncludeEmailLink},
    {keys::kReminderSubjectLimit, &SettingsSnapshot::reminderSubjectLimit},
    {keys::kReminderBodyLimit, &SettingsSnapshot::reminderBodyLimit},
    {keys::kHighlightFolderList, &SettingsSnapshot::highlightFolderList},
    {keys::kHighlightMailBoxType, &SettingsSnapshot::highlightMailBoxType},
    {keys::kMailBoxWidthType, &SettingsSnapshot::mailBoxWidthType},
    {keys::kMailBoxAlphaLevel, &SettingsSnapshot::mailBoxAlphaLevel},
    {keys::kHighlightListType, &SettingsSnapshot::highlightListType},
    {keys::kListWidthType, &SettingsSnapshot::listWidthType},
    {keys::kListHeightType, &SettingsSnapshot::listHeightType},
    {keys::kListAlphaLevel, &SettingsSnapshot::listAlphaLevel},
    {keys::kHighlightMessageType, &SettingsSnapshot::highlightMessageType},
    {keys::kMessageWidthType, &SettingsSnapshot::messageWidthType},
    {keys::kMessageAlignment, &SettingsSnapshot::messageAlignment},
    {keys::kMessageAlphaLevel, &SettingsSnapshot::messageAlphaLevel},
    {keys::kUseAccountSettingsForListFilters, &SettingsSnapshot::useAccountSettingsForListFilters},
    {keys::kNewLayerListFilters, &SettingsSnapshot::newLayerListFilters},
    {keys::kHighlightListTypeFilters, &SettingsSnapshot::highlightListTypeFilters},
    {keys::kListWidthTypeFilters, &SettingsSnapshot::listWidthTypeFilters},
    {keys::kListHeightTypeFilters, &SettingsSnapshot::listHeightTypeFilters},
    {keys::kListAlphaLevelFilters, &SettingsSnapshot::listAlphaLevelFilters},
    {keys::kUseAccountSettingsForMessageFilters,
     &SettingsSnapshot::useAccountSettingsForMessageFilters},
    {keys::kNewLayerMessageFilters, &SettingsSnapshot::newLayerMessageFilters},
    {keys::kHighlightMessageTypeFilters, &SettingsSnapshot::highlightMessageTypeFilters},
    {keys::kMessageWidthTypeFilters, &SettingsSnapshot::messageWidthTypeFilters},
    {keys::kMessageAlignmentFilters, &SettingsSnapshot::messageAlignmentFilters},
    {keys::kMessageAlphaLevelFilters, &SettingsSnapshot::messageAlphaLevelFilters},
};

nlohmann::ordered_json fieldJson(const SettingsSnapshot& snapshot, const Field& field) {
    return std::visit(
        [&](auto member) -> nlohmann::ordered_json {
            const auto value = snapshot.*member;
            if constexpr (std::is_same_v<decltype(value), const float>)
                return toJson(value);
            else
                return value;
        },
        field);
}

int runSnapshot(const Arguments& arguments, std::ostream& out) {
    if (!arguments.flag("--json"))
        throw UsageError("the snapshot is printed as JSON only; add --json");
    const SettingsSource source = settingsSource(arguments);

    SettingsSnapshot snapshot;
    settings::loadSettings(snapshot, source.path);

    auto json = nlohmann::ordered_json::object();
    for (const auto& field : kSnapshotFields)
        json[std::string(field.key)] = fieldJson(snapshot, field.member);
    auto filters = nlohmann::ordered_json::array();
    for (const auto& record : snapshot.filters)
        filters.push_back(toJson(foundation::Value(record)));
    json["filters"] = std::move(filters);
    json["hasSettingsDictionary"] = snapshot.settings.has_value();
    json["settingsChanged"] = snapshot.settingsChanged;
    out << json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    return 0;
}

} // namespace

CommandDescription snapshotCommand() {
    return {.path = "snapshot",
            .summary = "load a settings file as the mail extension does and print the snapshot",
            .options = {options::settings(), options::json("print the snapshot (required)")},
            .run = runSnapshot};
}

} // namespace tintbox::cli
