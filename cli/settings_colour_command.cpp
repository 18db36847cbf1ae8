// tintbox settings colour: opens the colour selector pane for an account name or "Color Value N"
// (filter N) in the Settings app stand-in and edits the colour as a person would: typed hex and
// channel values through the cell's entry alerts, taps and drags on the picker through the touch
// driver. After each action it prints the value the settings file now holds.
#include "cli/commands.hpp"
#include "cli/common_options.hpp"
#include "cli/config_values.hpp"
#include "cli/settings_source.hpp"
#include "cli/settings_write_alerts.hpp"
#include "pane/settings_file.hpp"
#include "platform/foundation/device_path.hpp"
#include "platform/foundation/property_list.hpp"
#include "platform/preferences/preferences_domain.hpp"
#include "platform/uikit/TouchDriver.hpp"
#include "platform/uikit/UILabel.hpp"
#include "settings/colour_key.hpp"
#include "settings/keys.hpp"
#include "sim/settings/SettingsApp.hpp"

#include <charconv>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace tintbox::cli {
namespace {

using sim::settings::SettingsApp;

// Tall enough to show the colour cell's whole row below the navigation bar.
constexpr double kScreenHeight = 1000;
constexpr int kDragSteps = 12;

double numberIn(const std::string& text, const std::string& option) {
    std::size_t used = 0;
    try {
        const double value = std::stod(text, &used);
        if (used == text.size())
            return value;
    } catch (const std::exception&) {
    }
    throw UsageError(option + " '" + text + "' is not a number");
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);)
        parts.push_back(part);
    if (!text.empty() && text.back() == separator)
        parts.emplace_back();
    return parts;
}

CGPoint pointIn(const std::string& text, const std::string& option) {
    const auto parts = split(text, ',');
    if (parts.size() != 2)
        throw UsageError(option + " '" + text + "' is not X,Y");
    return {numberIn(parts[0], option), numberIn(parts[1], option)};
}

// The stored colour for the key: the account's entry or filter N's "hexColor"; nothing when
// the file, the entry or the record is missing.
std::optional<std::string> storedColour(const std::string& key) {
    const auto settings = foundation::dictionaryWithContentsOfFile(
        foundation::devicePath(settings::kSettingsFilePath));
    if (!settings)
        return std::nullopt;
    const foundation::Value* value = settings::ColourKey::parse(key).storedEntry(*settings);
    if (value && value->asString())
        return *value->asString();
    return std::nullopt;
}

class ColourSession {
public:
    ColourSession(SettingsApp& app, std::string key) : m_app(app), m_key(std::move(key)) {
        m_cell = app.cellAt({0, 0});
        if (!m_cell || std::string(object_getClassName(m_cell)) != "TBColorCell")
            throw InputError("the colour selector pane shows no colour cell");
    }

    void typeHex(const std::string& text) {
        tapView(field("hexColorField"));
        m_app.answerAlert("Save", {text});
        recordSave("hex " + text);
    }

    void typeChannels(const std::vector<std::string>& values) {
        const char* fields[] = {"valueR", "valueG", "valueB"};
        for (std::size_t i = 0; i < 3; ++i) {
            tapView(field(fields[i]));
            m_app.answerAlert("Save", {values[i]});
        }
        recordSave("rgb " + values[0] + "," + values[1] + "," + values[2]);
    }

    void dragOnPicker(const std::vector<CGPoint>& pickerPoints, const std::string& action) {
        UIView* picker = currentPicker();
        std::vector<CGPoint> points;
        for (CGPoint p : pickerPoints)
            points.push_back(picker->convertPointToView(p, &m_app.screen()));
        TouchDriver::drag(&m_app.screen(), points);
        recordSave(action);
    }

    const std::vector<std::pair<std::string, std::optional<std::string>>>& saves() const {
        return m_saves;
    }
    std::string shownHex() const { return field("hexColorField")->text(); }
    int shownChannel(const char* name) const { return std::stoi(field(name)->text()); }

private:
    UILabel* field(const char* selector) const {
        auto* label = objc::msgSend<UILabel*()>(m_cell, sel_registerName(selector));
        if (!label)
            throw InputError(std::string("the colour cell has no ") + selector);
        return label;
    }
    UIView* currentPicker() const {
        for (const char* name : {"colorPickerView_H", "colorPickerView_S", "colorPickerView_B"})
            if (auto* picker = objc::msgSend<UIView*()>(m_cell, sel_registerName(name)))
                return picker;
        throw InputError("the colour cell shows no picker");
    }
    void tapView(UIView* view) {
        const CGRect frame = view->convertRectToView(view->bounds(), &m_app.screen());
        TouchDriver::tap(&m_app.screen(), frame.center());
    }
    void recordSave(const std::string& action) {
        requireSettingsSaved();
        m_saves.emplace_back(action, storedColour(m_key));
    }

    SettingsApp& m_app;
    std::string m_key;
    UITableViewCell* m_cell{nullptr};
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saves;
};

int pickerType(const std::string& letter) {
    if (letter == "h")
        return 0;
    if (letter == "s")
        return 1;
    if (letter == "b")
        return 2;
    throw UsageError("--picker '" + letter + "' is not h, s or b");
}

// The key as the pane stores it: an account of the device (any case), or "Color Value N" of an
// enabled filter. Anything else would store a colour nothing reads.
std::string checkedKey(const std::string& key) {
    const auto parsed = settings::ColourKey::parse(key);
    if (!parsed.isFilterColour())
        return deviceAccountNamed(key);
    const auto settings = pane::loadSettingsFile();
    const foundation::Value* list = foundation::find(settings, settings::kFiltersEnabled);
    const std::size_t count = list && list->asArray() ? list->asArray()->size() : 0;
    const std::string number = key.substr(settings::kFilterColourPrefix.size());
    const auto first = number.find_first_not_of(' ');
    filterNumber(first == std::string::npos ? "" : number.substr(first), count,
                 "--key '" + key + "':");
    return key;
}

int channelValue(const std::string& text, const std::string& whole) {
    int value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0 ||
        value > 255)
        throw UsageError("--rgb '" + whole + "': each channel is a whole number from 0 to 255");
    return value;
}

int runSettingsColour(const Arguments& arguments, std::ostream& out) {
    const auto keyGiven = arguments.value("--key");
    if (!keyGiven || keyGiven->empty())
        throw UsageError("--key NAME is required (an account name or \"Color Value N\")");
    auto hex = arguments.values("--hex");
    for (auto& text : hex)
        text = hexColourArgument("--hex", text).substr(1);
    const auto key = std::optional<std::string>(checkedKey(*keyGiven));
    const auto rgb = arguments.values("--rgb");
    const auto taps = arguments.values("--tap");
    const auto drags = arguments.values("--drag");
    const auto picker = arguments.value("--picker");
    const auto png = arguments.value("--png");
    const bool json = arguments.flag("--json");

    std::vector<std::vector<std::string>> channelSets;
    for (const std::string& value : rgb) {
        auto parts = split(value, ',');
        if (parts.size() != 3)
            throw UsageError("--rgb '" + value + "' is not R,G,B");
        for (const auto& part : parts)
            channelValue(part, value);
        channelSets.push_back(std::move(parts));
    }
    std::vector<CGPoint> tapPoints;
    for (const std::string& value : taps)
        tapPoints.push_back(pointIn(value, "--tap"));
    std::vector<std::vector<CGPoint>> dragPaths;
    for (const std::string& value : drags) {
        const auto ends = split(value, ':');
        if (ends.size() != 2)
            throw UsageError("--drag '" + value + "' is not X1,Y1:X2,Y2");
        const CGPoint from = pointIn(ends[0], "--drag");
        const CGPoint to = pointIn(ends[1], "--drag");
        std::vector<CGPoint> path;
        for (int step = 0; step <= kDragSteps; ++step) {
            const double t = static_cast<double>(step) / kDragSteps;
            path.push_back({from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t});
        }
        dragPaths.push_back(std::move(path));
    }

    std::vector<std::string> notes;
    if (picker) {
        // The picker type is a setting of the pane, stored as the option pane stores it.
        const int type = pickerType(*picker);
        std::string error;
        if (!preferences::writeDomainValue(std::string(settings::kPreferenceDomain),
                                           std::string(settings::kColorPickerType), type, &error))
            throw WriteError(error);
        notes.push_back("colorPickerType set to " + std::to_string(type));
    }

    SettingsApp app = SettingsApp::launch({.screenHeight = kScreenHeight, .showRootPane = false});
    if (!app.loadError().empty())
        throw InputError(app.loadError() + " (run tintbox init to install the settings pane)");
    app.openPane("ColorSelectorController", {{"title", *key}}, *key);
    ColourSession session(app, *key);
    for (const std::string& text : hex)
        session.typeHex(text);
    for (const auto& channels : channelSets)
        session.typeChannels(channels);
    for (std::size_t i = 0; i < tapPoints.size(); ++i)
        session.dragOnPicker({tapPoints[i], tapPoints[i]}, "tap " + taps[i]);
    for (std::size_t i = 0; i < dragPaths.size(); ++i)
        session.dragOnPicker(dragPaths[i], "drag " + drags[i]);
    if (png)
        app.writePNG(*png);

    const std::optional<std::string> stored = storedColour(*key);
    if (!session.saves().empty() && !stored)
        throw InputError(*key + ": the colour pane stored nothing");
    if (json) {
        auto result = nlohmann::ordered_json::object();
        result["key"] = *key;
        result["notes"] = notes;
        auto saves = nlohmann::ordered_json::array();
        for (const auto& [action, value] : session.saves())
            saves.push_back(
                {{"action", action}, {"stored", value ? nlohmann::ordered_json(*value) : nullptr}});
        result["saves"] = saves;
        result["stored"] = stored ? nlohmann::ordered_json(*stored) : nullptr;
        result["shown"] = {{"hex", session.shownHex()},
                           {"red", session.shownChannel("valueR")},
                           {"green", session.shownChannel("valueG")},
                           {"blue", session.shownChannel("valueB")}};
        result["pane"] = app.json();
        out << result.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
        return 0;
    }
    for (const std::string& note : notes)
        out << note << '\n';
    for (const auto& [action, value] : session.saves())
        out << action << ": stored " << value.value_or("nothing") << '\n';
    out << *key << ": shows " << session.shownHex() << " (" << session.shownChannel("valueR")
        << ", " << session.shownChannel("valueG") << ", " << session.shownChannel("valueB")
        << "), stored " << stored.value_or("nothing") << '\n';
    if (png)
        std::cerr << "Wrote " << *png << '\n';
    return 0;
}

} // namespace

CommandDescription settingsColourCommand() {
    const auto repeated = [](std::string name, std::string value, std::string help) {
        return OptionDescription{.name = std::move(name),
                                 .valueName = std::move(value),
                                 .help = std::move(help),
                                 .arity = Arity::Repeated};
    };
    return {.path = "settings colour",
            .summary = "edit a colour in the colour selector pane: typed entry first, then taps "
                       "and drags on the picker, in picker points; --picker stores the picker "
                       "type",
            .options = {{.name = "--key",
                         .valueName = "NAME",
                         .help = "an account name or \"Color Value N\" (filter N)",
                         .kind = ValueKind::Account,
                         .required = true},
                        repeated("--hex", "RRGGBB", "type the colour into the hex field"),
                        repeated("--rgb", "R,G,B", "type the three channels, 0 to 255"),
                        repeated("--tap", "X,Y", "tap the picker"),
                        repeated("--drag", "X1,Y1:X2,Y2", "drag on the picker"),
                        {.name = "--picker",
                         .valueName = "h|s|b",
                         .help = "which picker the pane shows",
                         .kind = ValueKind::Choice,
                         .choices = {"h", "s", "b"}},
                        options::png("write a picture of the pane to FILE"),
                        options::json()},
            .run = runSettingsColour};
}

} // namespace tintbox::cli
