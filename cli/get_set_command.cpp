// tintbox get KEY / tintbox set KEY VALUE: one option of the settings file, read or written as
// the option panes do, checked against the settings schema (its type, and the range of alpha
// levels, widths and the picker type). Account colours and filters have commands of their own.
#include "cli/commands.hpp"
#include "cli/near_names.hpp"
#include "cli/settings_source.hpp"
#include "cli/settings_write.hpp"
#include "settings/keys.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>

namespace tintbox::cli {
namespace {

using foundation::Value;

std::vector<std::string> settableKeys() {
    std::vector<std::string> keys;
    for (const auto key : settings::kOptionKeys)
        if (key != settings::kFiltersEnabled && key != settings::kFiltersDisabled)
            keys.emplace_back(key);
    return keys;
}

// The option key named, in its own spelling; a UsageError naming the nearest keys otherwise.
std::string optionKeyNamed(const std::string& name) {
    if (name == settings::kFiltersEnabled || name == settings::kFiltersDisabled)
        throw UsageError("'" + name + "' is the filter list: use tintbox filter list|add|set");
    const auto keys = settableKeys();
    for (const auto& key : keys)
        if (key == name)
            return key;
    for (const auto& key : keys)
        if (key.size() == name.size() &&
            std::equal(key.begin(), key.end(), name.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            }))
            return key;
    const auto near = nearestNames(name, keys);
    throw UsageError("unknown key '" + name + "'" +
                     (near.empty() ? std::string(" (tintbox set --help lists the keys)")
                                   : " (nearest: " + listOfNames(near) + ")"));
}

struct Range {
    std::int64_t low;
    std::int64_t high;
};

Range rangeOf(std::string_view key) {
    constexpr auto most = std::numeric_limits<std::int32_t>::max();
    constexpr auto least = std::numeric_limits<std::int32_t>::min();
    if (key.find("AlphaLevel") != std::string_view::npos)
        return {0, 100};
    if (key.find("WidthType") != std::string_view::npos ||
        key.find("HeightType") != std::string_view::npos)
        return {0, most};
    if (key == settings::kColorPickerType)
        return {0, 2};
    if (key.starts_with("highlight") || key.starts_with("messageAlignment"))
        return {0, most};
    return {least, most};
}

std::optional<bool> switchValue(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (text == "on" || text == "yes" || text == "true" || text == "1")
        return true;
    if (text == "off" || text == "no" || text == "false" || text == "0")
        return false;
    return std::nullopt;
}

Value parsedValue(const std::string& key, const std::string& text) {
    const Value* fallback = settings::defaultValue(key);
    if (!fallback)
        return Value(text);
    if (fallback->isBoolean()) {
        if (const auto on = switchValue(text))
            return Value(*on);
        throw UsageError(key + " is a switch: give on or off, not '" + text + "'");
    }
    const Range range = rangeOf(key);
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        number < range.low || number > range.high) {
        const std::string allowed =
            range.high == std::numeric_limits<std::int32_t>::max()
                ? (range.low == 0 ? "a whole number, 0 or more" : "a whole number")
                : "a whole number from " + std::to_string(range.low) + " to " +
                      std::to_string(range.high);
        throw UsageError(key + " takes " + allowed + ", not '" + text + "'");
    }
    return Value(static_cast<std::int64_t>(number));
}

std::string shown(const Value& value) {
    if (value.isBoolean())
        return value.boolValue() ? "on" : "off";
    if (value.isNumber())
        return std::to_string(value.intValue());
    if (value.asString())
        return *value.asString();
    return "(not a value of this key)";
}

int runGet(const Arguments& arguments, std::ostream& out) {
    const std::string key = optionKeyNamed(*arguments.operand("KEY"));
    const SettingsSource source = settingsSource(arguments);
    if (const Value* stored = foundation::find(source.dictionary, key)) {
        out << shown(*stored) << '\n';
        return 0;
    }
    const Value* fallback = settings::defaultValue(key);
    out << (fallback ? shown(*fallback) : std::string()) << '\n';
    return 0;
}

int runSet(const Arguments& arguments, std::ostream& out) {
    const std::string key = optionKeyNamed(*arguments.operand("KEY"));
    const Value value = parsedValue(key, *arguments.operand("VALUE"));
    changeSettings([&](foundation::Dictionary& fresh) {
        fresh[key] = value;
        return true;
    });
    out << key << " = " << shown(value) << '\n';
    return 0;
}

} // namespace

std::vector<CommandDescription> getSetCommands() {
    return {
        {.path = "get",
         .summary = "print an option of the settings file (its default when it is not set)",
         .options = {{.name = "--settings",
                      .valueName = "FILE",
                      .help = "read this settings file instead of the device root's",
                      .kind = ValueKind::File}},
         .operands = {{.name = "KEY", .help = "an option key", .kind = ValueKind::SettingsKey}},
         .run = runGet},
        {.path = "set",
         .summary = "set an option of the settings file, checked for its type and range "
                    "(switches take on or off)",
         .operands = {{.name = "KEY",
                       .help = "an option key such as listAlphaLevel",
                       .kind = ValueKind::SettingsKey},
                      {.name = "VALUE", .help = "on, off, a number or text, as the key takes"}},
         .run = runSet},
    };
}

} // namespace tintbox::cli
