#include "cli/settings_row_actions.hpp"

#include "cli/settings_source.hpp"
#include "cli/settings_write_alerts.hpp"
#include "platform/uikit/UIAlertView.hpp"
#include "platform/uikit/UIApplication.hpp"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace tintbox::cli {
namespace {

using sim::settings::PaneRow;
using sim::settings::RowAddress;
using sim::settings::SettingsApp;

struct ActionOption {
    std::string_view option;
    std::size_t values;
    RowActionKind kind;
    std::string_view verb;
    std::string_view valueName;
    std::string_view help;
};

constexpr ActionOption kActionOptions[] = {
    {"--toggle", 1, RowActionKind::Toggle, "toggle", "ROW", "flip the row's switch"},
    {"--set", 2, RowActionKind::Set, "set", "ROW on|off", "turn the row's switch on or off"},
    {"--choose", 2, RowActionKind::Choose, "choose", "ROW VALUE", "pick a value of the row's list"},
    {"--text", 2, RowActionKind::Text, "text", "ROW TEXT", "type the row's text"},
    {"--slide", 2, RowActionKind::Slide, "slide", "ROW VALUE", "drag the row's slider to VALUE"},
    {"--tap", 1, RowActionKind::Tap, "tap", "ROW", "tap the row"},
    {"--move", 2, RowActionKind::Move, "move", "FROM TO", "drag a row to another place"},
    {"--answer", 1, RowActionKind::Answer, "answer", "BUTTON", "tap a button of the alert shown"},
};
constexpr std::string_view kFieldOption = "--field";

const ActionOption& optionOf(RowActionKind kind) {
    for (const ActionOption& option : kActionOptions)
        if (option.kind == kind)
            return option;
    throw std::logic_error("row action without an option");
}

float sliderValue(const std::string& text) {
    float value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value))
        throw UsageError("--slide value '" + text + "' is not a number");
    return value;
}

// "S,R" names a place even where no row is yet (the empty drop section of the filter list).
std::optional<RowAddress> placeOf(const std::string& text) {
    const auto comma = text.find(',');
    if (comma == std::string::npos)
        return std::nullopt;
    RowAddress address;
    const char* begin = text.data();
    const char* end = begin + text.size();
    const auto first = std::from_chars(begin, begin + comma, address.section);
    const auto second = std::from_chars(begin + comma + 1, end, address.row);
    if (first.ec != std::errc() || first.ptr != begin + comma || second.ec != std::errc() ||
        second.ptr != end)
        return std::nullopt;
    return address;
}

RowAddress findRow(const SettingsApp& app, const std::string& row) {
    try {
        return app.findRow(row);
    } catch (const std::invalid_argument& error) {
        throw InputError(std::string("row '") + row + "': " + error.what());
    }
}

std::optional<PaneRow> rowAt(const SettingsApp& app, RowAddress address) {
    for (PaneRow& row : app.rows())
        if (row.section == address.section && row.row == address.row)
            return std::move(row);
    return std::nullopt;
}

std::string paneTitle(const SettingsApp& app) {
    PSViewController* pane = app.topPane();
    if (!pane)
        return "";
    return pane->title().empty() ? object_getClassName(pane) : pane->title();
}

nlohmann::ordered_json rowJson(const PaneRow& row) {
    return {{"section", row.section},
            {"row", row.row},
            {"title", row.title},
            {"value", row.value ? nlohmann::ordered_json(*row.value) : nullptr},
            {"detail", row.detail},
            {"enabled", row.enabled}};
}

std::string inQuotes(const std::string& text) {
    return "\"" + text + "\"";
}

} // namespace

std::string RowAction::describe() const {
    std::string text(optionOf(kind).verb);
    for (const std::string& value : values)
        text.append(" ").append(inQuotes(value));
    for (const std::string& field : fields)
        text.append(" field ").append(inQuotes(field));
    return text;
}

std::vector<OptionDescription> rowActionOptions() {
    std::vector<OptionDescription> options;
    for (const ActionOption& option : kActionOptions)
        options.push_back({.name = std::string(option.option),
                           .valueName = std::string(option.valueName),
                           .help = std::string(option.help),
                           .arity = Arity::Repeated,
                           .valuesPerUse = option.values,
                           .literalValues = true});
    options.push_back({.name = std::string(kFieldOption),
                       .valueName = "TEXT",
                       .help = "type TEXT into the next field of the alert of an --answer",
                       .arity = Arity::Repeated,
                       .literalValues = true});
    return options;
}

std::vector<RowAction> rowActions(const Arguments& arguments) {
    std::vector<std::string_view> options{kFieldOption};
    for (const ActionOption& option : kActionOptions)
        options.push_back(option.option);
    std::vector<RowAction> actions;
    std::vector<std::string> waitingFields; // --field given before its --answer
    for (auto& taken : arguments.inOrder(options)) {
        if (taken.name == kFieldOption) {
            if (!actions.empty() && actions.back().kind == RowActionKind::Answer &&
                waitingFields.empty())
                actions.back().fields.push_back(std::move(taken.values.front()));
            else
                waitingFields.push_back(std::move(taken.values.front()));
            continue;
        }
        const ActionOption* option = nullptr;
        for (const ActionOption& candidate : kActionOptions)
            if (candidate.option == taken.name)
                option = &candidate;
        RowAction action{option->kind, std::move(taken.values), {}, 0};
        if (action.kind == RowActionKind::Slide)
            action.number = sliderValue(action.values[1]);
        if (action.kind == RowActionKind::Set && action.values[1] != "on" &&
            action.values[1] != "off")
            throw UsageError("--set " + action.values[0] + " takes on or off, not '" +
                             action.values[1] + "'");
        if (action.kind == RowActionKind::Answer)
            action.fields = std::exchange(waitingFields, {});
        if (!waitingFields.empty())
            throw UsageError("--field fills the alert of an --answer; give it beside one");
        actions.push_back(std::move(action));
    }
    if (!waitingFields.empty())
        throw UsageError("--field fills the alert of an --answer; give it beside one");
    return actions;
}

RowActionResult runRowAction(SettingsApp& app, const RowAction& action) {
    PSViewController* paneBefore = app.topPane();
    const std::size_t paneDepth = app.navigation() ? app.navigation()->viewControllers().size() : 0;
    UIApplication::sharedApplication()->clearOpenedURLs();
    std::optional<RowAddress> address;
    try {
        switch (action.kind) {
        case RowActionKind::Toggle:
            address = findRow(app, action.values[0]);
            app.toggle(*address);
            break;
        case RowActionKind::Set: {
            address = findRow(app, action.values[0]);
            const auto row = rowAt(app, *address);
            if (!row || !row->value || (*row->value != "on" && *row->value != "off"))
                throw InputError(action.describe() + ": the row has no switch");
            if (*row->value != action.values[1])
                app.toggle(*address);
            break;
        }
        case RowActionKind::Choose:
            address = findRow(app, action.values[0]);
            app.choose(*address, action.values[1]);
            break;
        case RowActionKind::Text:
            address = findRow(app, action.values[0]);
            app.typeText(*address, action.values[1]);
            break;
        case RowActionKind::Slide:
            address = findRow(app, action.values[0]);
            app.slide(*address, action.number);
            break;
        case RowActionKind::Tap:
            address = findRow(app, action.values[0]);
            app.tapRow(*address);
            break;
        case RowActionKind::Move: {
            const auto placeOrRow = [&](const std::string& text) {
                const auto place = placeOf(text);
                return place ? *place : findRow(app, text);
            };
            app.moveRow(placeOrRow(action.values[0]), placeOrRow(action.values[1]));
            break;
        }
        case RowActionKind::Answer:
            app.answerAlert(action.values[0], action.fields);
            break;
        }
    } catch (const std::invalid_argument& error) {
        throw InputError(action.describe() + ": " + error.what());
    }
    SettingsApp::settle();
    requireSettingsSaved();

    RowActionResult result;
    result.json["action"] = std::string(optionOf(action.kind).verb);
    result.json["arguments"] = action.values;
    if (!action.fields.empty())
        result.json["fields"] = action.fields;
    result.json["pane"] = paneTitle(app);
    result.text = action.describe() + ":";

    const std::size_t depth = app.navigation() ? app.navigation()->viewControllers().size() : 0;
    if (app.topPane() != paneBefore) {
        result.text += (depth > paneDepth ? " opened " : " back to ") + inQuotes(paneTitle(app));
    } else if (address) {
        if (const auto row = rowAt(app, *address)) {
            result.json["row"] = rowJson(*row);
            if (row->value)
                result.text += " " + *row->value;
            if (!row->detail.empty())
                result.text += " (" + row->detail + ")";
        }
    }
    const auto& urls = UIApplication::sharedApplication()->openedURLs();
    if (!urls.empty()) {
        result.json["openedURLs"] = urls;
        for (const std::string& url : urls)
            result.text += " opened " + url;
    }
    nlohmann::ordered_json alerts = nlohmann::ordered_json::array();
    for (const auto& alert : UIAlertView::shownAlerts()) {
        alerts.push_back({{"title", alert->title()},
                          {"message", alert->message()},
                          {"buttons", alert->buttonTitles()}});
        std::string message = alert->message();
        for (auto at = message.find('\n'); at != std::string::npos; at = message.find('\n', at + 5))
            message.replace(at, 1, "\n    ");
        result.text += "\n  alert " + inQuotes(alert->title()) + ": " + inQuotes(message);
    }
    result.json["alerts"] = alerts;
    if (result.text.back() == ':')
        result.text += " done";
    return result;
}

} // namespace tintbox::cli
