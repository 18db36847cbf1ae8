// tintbox filter list|add|set|remove|move|enable|disable: the filter lists edited from a
// script, written as the filter panes write them. Enabled filters are numbered from 0, as
// their colours are ("Color Value N"); disabled ones are d0, d1, ... Patterns are compiled
// by the same case-insensitive expression engine as the filter editor's, and refused with
// its error text.
#include "cli/commands.hpp"
#include "cli/config_values.hpp"
#include "cli/json_value.hpp"
#include "cli/settings_source.hpp"
#include "cli/settings_write.hpp"
#include "engine/regex.hpp"
#include "settings/keys.hpp"
#include "settings/schema.hpp"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>

namespace tintbox::cli {
namespace {

namespace record = settings::filter_record;
using foundation::Array;
using foundation::Dictionary;
using foundation::Value;

constexpr const char* kFieldTitles[] = {"From", "To", "Cc", "Subject"};

// Which list a filter number names, and its place in it.
struct FilterPlace {
    bool disabled{false};
    std::size_t index{0};
    std::string name() const { return (disabled ? "d" : "") + std::to_string(index); }
};

Array listOf(const Dictionary& settings, std::string_view key) {
    const Value* list = foundation::find(settings, key);
    return list && list->asArray() ? *list->asArray() : Array{};
}

FilterPlace placeNamed(const Dictionary& settings, const std::string& text) {
    const bool disabled = text.starts_with('d') || text.starts_with('D');
    const auto list =
        listOf(settings, disabled ? settings::kFiltersDisabled : settings::kFiltersEnabled);
    if (disabled)
        return {true, filterNumber(text.substr(1), list.size(), "disabled filter")};
    return {false, filterNumber(text, list.size())};
}

std::string stringEntry(const Value& filter, std::string_view key) {
    const auto* dictionary = filter.asDictionary();
    const Value* entry = dictionary ? foundation::find(*dictionary, key) : nullptr;
    return entry && entry->asString() ? *entry->asString() : std::string();
}

// "(From ~ alice OR To ~ bob) AND Subject ~ report", as the editor groups the fields.
std::string formulaOf(const Value& filter) {
    std::vector<std::string> any;
    std::vector<std::string> all;
    const auto* dictionary = filter.asDictionary();
    for (std::size_t i = 0; i < record::kPatternFields.size(); ++i) {
        const auto& field = record::kPatternFields[i];
        const std::string pattern = stringEntry(filter, field.pattern);
        if (pattern.empty())
            continue;
        const Value* type = dictionary ? foundation::find(*dictionary, field.matchType) : nullptr;
        const bool joinedByAnd = type && type->intValue() == record::kMatchTypeAnd;
        (joinedByAnd ? all : any).push_back(std::string(kFieldTitles[i]) + " ~ " + pattern);
    }
    std::string text;
    for (std::size_t i = 0; i < any.size(); ++i)
        text += (i ? " OR " : "") + any[i];
    if (any.size() > 1 && !all.empty())
        text = "(" + text + ")";
    for (const auto& part : all)
        text += (text.empty() ? "" : " AND ") + part;
    return text.empty() ? "(no pattern: matches nothing)" : text;
}

std::string lineOf(const FilterPlace& place, const Value& filter) {
    std::string colour = stringEntry(filter, record::kHexColor);
    if (colour.empty() || colour == settings::kNoColourHex)
        colour = "no colour";
    std::string line = place.name();
    line.resize(std::max<std::size_t>(line.size(), 4), ' ');
    return line + colour + "  " + formulaOf(filter);
}

// The changes that --from/--to/--cc/--subject, --join-FIELD and --colour ask for, checked
// before the file is read.
struct FilterChange {
    std::vector<std::pair<std::string_view, std::string>> patterns;
    std::vector<std::pair<std::string_view, std::int32_t>> joins;
    std::optional<std::string> colour;

    static FilterChange of(const Arguments& arguments) {
        FilterChange change;
        for (const auto& field : record::kPatternFields) {
            const std::string name(field.pattern);
            if (const auto pattern = arguments.value("--" + name)) {
                if (const auto error = engine::patternError(*pattern))
                    throw UsageError("--" + name + " '" + *pattern +
                                     "': Invalid regular expression " + *error);
                change.patterns.emplace_back(field.pattern, *pattern);
            }
            if (const auto join = arguments.value("--join-" + name))
                change.joins.emplace_back(field.matchType, *join == "and" ? record::kMatchTypeAnd
                                                                          : record::kMatchTypeOr);
        }
        if (const auto colour = arguments.value("--colour")) {
            change.colour = hexColourArgument("--colour", *colour);
            if (*change.colour == settings::kNoColourHex)
                throw UsageError("--colour FFFFFF marks a filter without a colour, which colours "
                                 "nothing; choose another colour");
        }
        return change;
    }

    bool empty() const { return patterns.empty() && joins.empty() && !colour; }

    void applyTo(Dictionary& filter) const {
        for (const auto& [key, pattern] : patterns)
            filter[std::string(key)] = pattern;
        for (const auto& [key, type] : joins)
            filter[std::string(key)] = type;
        if (colour)
            filter[std::string(record::kHexColor)] = *colour;
    }
};

Dictionary newFilter() {
    Dictionary filter;
    for (const auto& field : record::kPatternFields) {
        filter[std::string(field.pattern)] = "";
        filter[std::string(field.matchType)] = record::kMatchTypeOr;
    }
    filter[std::string(record::kHexColor)] = std::string(settings::kNoColourHex);
    return filter;
}

bool hasPattern(const Value& filter) {
    for (const auto& field : record::kPatternFields)
        if (!stringEntry(filter, field.pattern).empty())
            return true;
    return false;
}

int runList(const Arguments& arguments, std::ostream& out) {
    const SettingsSource source = settingsSource(arguments);
    const auto enabled = listOf(source.dictionary, settings::kFiltersEnabled);
    const auto disabled = listOf(source.dictionary, settings::kFiltersDisabled);
    if (arguments.flag("--json")) {
        const auto rows = [](const Array& list, bool off) {
            auto json = nlohmann::ordered_json::array();
            for (std::size_t i = 0; i < list.size(); ++i) {
                nlohmann::ordered_json row{{"number", FilterPlace{off, i}.name()},
                                           {"enabled", !off},
                                           {"colour", stringEntry(list[i], record::kHexColor)}};
                for (const auto& field : record::kPatternFields)
                    row[std::string(field.pattern)] = stringEntry(list[i], field.pattern);
                json.push_back(std::move(row));
            }
            return json;
        };
        auto all = rows(enabled, false);
        for (auto& row : rows(disabled, true))
            all.push_back(std::move(row));
        out << jsonText(nlohmann::ordered_json{{"filters", all}}) << '\n';
        return 0;
    }
    for (std::size_t i = 0; i < enabled.size(); ++i)
        out << lineOf({false, i}, enabled[i]) << '\n';
    for (std::size_t i = 0; i < disabled.size(); ++i)
        out << lineOf({true, i}, disabled[i]) << "  (disabled)\n";
    if (enabled.empty() && disabled.empty())
        out << "no filters (add one with tintbox filter add --from PATTERN --colour HEX)\n";
    return 0;
}

// Applies `edit` to the two lists of the file as it is now and writes them back; what the
// edit says is printed once the file is written.
template <typename Edit>
void editLists(std::ostream& out, Edit edit) {
    std::ostringstream said;
    changeSettings([&](Dictionary& fresh) {
        said.str({});
        Array enabled = listOf(fresh, settings::kFiltersEnabled);
        Array disabled = listOf(fresh, settings::kFiltersDisabled);
        edit(said, fresh, enabled, disabled);
        fresh[std::string(settings::kFiltersEnabled)] = std::move(enabled);
        fresh[std::string(settings::kFiltersDisabled)] = std::move(disabled);
        return true;
    });
    out << said.str();
}

int runAdd(const Arguments& arguments, std::ostream& out) {
    const FilterChange change = FilterChange::of(arguments);
    if (change.patterns.empty() || std::all_of(change.patterns.begin(), change.patterns.end(),
                                               [](const auto& p) { return p.second.empty(); }))
        throw UsageError("give at least one pattern: --from, --to, --cc or --subject");
    if (!change.colour)
        throw UsageError("give the filter's --colour HEX (a filter without one colours nothing)");
    editLists(out, [&](std::ostream& said, Dictionary&, Array& enabled, Array&) {
        Dictionary filter = newFilter();
        change.applyTo(filter);
        enabled.push_back(Value(std::move(filter)));
        said << "added " << lineOf({false, enabled.size() - 1}, enabled.back()) << '\n';
    });
    return 0;
}

int runSet(const Arguments& arguments, std::ostream& out) {
    const FilterChange change = FilterChange::of(arguments);
    if (change.empty())
        throw UsageError("say what to change: --from, --to, --cc, --subject, --join-FIELD or "
                         "--colour");
    editLists(out, [&](std::ostream& said, Dictionary& fresh, Array& enabled, Array& disabled) {
        const FilterPlace place = placeNamed(fresh, *arguments.operand("N"));
        Value& filter = (place.disabled ? disabled : enabled)[place.index];
        Dictionary changed = filter.asDictionary() ? *filter.asDictionary() : newFilter();
        change.applyTo(changed);
        if (!hasPattern(Value(changed)))
            throw UsageError("that leaves filter " + place.name() +
                             " without a pattern; remove it instead");
        filter = Value(std::move(changed));
        said << "set " << lineOf(place, filter) << '\n';
    });
    return 0;
}

int runRemove(const Arguments& arguments, std::ostream& out) {
    editLists(out, [&](std::ostream& said, Dictionary& fresh, Array& enabled, Array& disabled) {
        const FilterPlace place = placeNamed(fresh, *arguments.operand("N"));
        Array& list = place.disabled ? disabled : enabled;
        said << "removed " << lineOf(place, list[place.index]) << '\n';
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(place.index));
    });
    return 0;
}

int runMove(const Arguments& arguments, std::ostream& out) {
    editLists(out, [&](std::ostream& said, Dictionary&, Array& enabled, Array&) {
        const std::size_t from = filterNumber(*arguments.operand("N"), enabled.size());
        const std::size_t to = filterNumber(*arguments.operand("M"), enabled.size(), "place");
        Value moved = enabled[from];
        enabled.erase(enabled.begin() + static_cast<std::ptrdiff_t>(from));
        enabled.insert(enabled.begin() + static_cast<std::ptrdiff_t>(to), std::move(moved));
        said << "moved filter " << from << " to " << to << '\n';
        for (std::size_t i = 0; i < enabled.size(); ++i)
            said << lineOf({false, i}, enabled[i]) << '\n';
    });
    return 0;
}

int runEnable(const Arguments& arguments, std::ostream& out) {
    editLists(out, [&](std::ostream& said, Dictionary& fresh, Array& enabled, Array& disabled) {
        const std::string text = *arguments.operand("N");
        const FilterPlace place = placeNamed(fresh, text.starts_with('d') ? text : "d" + text);
        enabled.push_back(disabled[place.index]);
        disabled.erase(disabled.begin() + static_cast<std::ptrdiff_t>(place.index));
        said << "enabled " << lineOf({false, enabled.size() - 1}, enabled.back()) << '\n';
    });
    return 0;
}

int runDisable(const Arguments& arguments, std::ostream& out) {
    editLists(out, [&](std::ostream& said, Dictionary&, Array& enabled, Array& disabled) {
        const std::size_t index = filterNumber(*arguments.operand("N"), enabled.size());
        disabled.push_back(enabled[index]);
        enabled.erase(enabled.begin() + static_cast<std::ptrdiff_t>(index));
        said << "disabled " << lineOf({true, disabled.size() - 1}, disabled.back()) << '\n';
    });
    return 0;
}

std::vector<OptionDescription> editOptions() {
    std::vector<OptionDescription> options;
    for (const auto& field : record::kPatternFields) {
        const std::string name(field.pattern);
        options.push_back({.name = "--" + name,
                           .valueName = "PATTERN",
                           .help = "the " + name + " pattern (case-insensitive; '' clears it)"});
    }
    for (const auto& field : record::kPatternFields) {
        const std::string name(field.pattern);
        options.push_back({.name = "--join-" + name,
                           .valueName = "and|or",
                           .help = "whether " + name + " must match (and) or may (or)",
                           .kind = ValueKind::Choice,
                           .choices = {"and", "or"}});
    }
    options.push_back(
        {.name = "--colour", .valueName = "HEX", .help = "the filter's colour, such as C62828"});
    return options;
}

} // namespace

std::vector<CommandDescription> filterCommands() {
    const OperandDescription number{.name = "N",
                                    .help = "a filter number (d0, d1, ... for disabled)"};
    return {
        {.path = "filter", .summary = "list, add and change the filters that colour mail"},
        {.path = "filter list",
         .summary = "the filters, enabled ones numbered from 0 as their colours are",
         .options = {{.name = "--settings",
                      .valueName = "FILE",
                      .help = "read this settings file instead of the device root's",
                      .kind = ValueKind::File},
                     {.name = "--json", .help = "print JSON", .arity = Arity::Flag}},
         .run = runList},
        {.path = "filter add",
         .summary = "add an enabled filter at the end of the list",
         .options = editOptions(),
         .run = runAdd},
        {.path = "filter set",
         .summary = "change patterns, joins or the colour of filter N",
         .options = editOptions(),
         .operands = {number},
         .run = runSet},
        {.path = "filter remove",
         .summary = "delete filter N",
         .operands = {number},
         .run = runRemove},
        {.path = "filter move",
         .summary = "move enabled filter N to place M (filters are tried in order)",
         .operands = {{.name = "N", .help = "the filter"}, {.name = "M", .help = "its new place"}},
         .run = runMove},
        {.path = "filter enable",
         .summary = "move disabled filter dN to the end of the enabled ones",
         .operands = {{.name = "N", .help = "a disabled filter (d0 or 0)"}},
         .run = runEnable},
        {.path = "filter disable",
         .summary = "keep enabled filter N but stop using it",
         .operands = {{.name = "N", .help = "an enabled filter"}},
         .run = runDisable},
    };
}

} // namespace tintbox::cli
