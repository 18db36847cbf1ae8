#include "cli/commands.hpp"
#include "cli/common_options.hpp"
#include "cli/settings_source.hpp"
#include "cli/terminal_text.hpp"
#include "engine/colour.hpp"
#include "engine/regex.hpp"
#include "settings/keys.hpp"

#include <sstream>

namespace tintbox::cli {
namespace {

namespace record = settings::filter_record;
using foundation::Value;

std::string kindName(const Value& value) {
    switch (value.kind()) {
    case Value::Kind::Null:
        return "null";
    case Value::Kind::Boolean:
        return "a boolean";
    case Value::Kind::Integer:
        return "an integer";
    case Value::Kind::Real:
        return "a real number";
    case Value::Kind::String:
        return "the string \"" + *value.asString() + "\"";
    case Value::Kind::Data:
        return "data";
    case Value::Kind::Date:
        return "a date";
    case Value::Kind::Array:
        return "a list";
    case Value::Kind::Dictionary:
        return "a dictionary";
    case Value::Kind::Uid:
        return "a keyed-archive UID";
    }
    return "a value";
}

std::string formatReal(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

bool isNonEmptyString(const Value* value) {
    return value && value->asString() && !value->asString()->empty();
}

class Linter {
public:
    std::vector<std::string> problems;

    void checkFilterList(const foundation::Dictionary& settings, std::string_view listKey,
                         bool used) {
        const Value* list = foundation::find(settings, listKey);
        if (!list)
            return;
        const auto* records = list->asArray();
        if (!records) {
            report(listKey, "is " + kindName(*list) + ", not a list of filters; " +
                                (used ? "no filter is used" : "it is ignored"));
            return;
        }
        for (std::size_t i = 0; i < records->size(); ++i) {
            const std::string where = std::string(listKey) + " filter " + std::to_string(i);
            const auto* filter = (*records)[i].asDictionary();
            if (!filter) {
                report(where, "is " + kindName((*records)[i]) + ", not a filter; it is ignored");
                continue;
            }
            checkFilter(*filter, where, used);
        }
    }

    void checkOptions(const foundation::Dictionary& settings) {
        for (const auto& [key, value] : settings) {
            if (!settings::isOptionKey(key)) {
                checkAccountColour(key, value);
                continue;
            }
            const Value* fallback = settings::defaultValue(key);
            if (!fallback)
                checkPrefix(key, value);
            else if (fallback->isBoolean())
                checkBoolean(key, value);
            else if (fallback->isInteger())
                checkInteger(key, value);
        }
    }

private:
    void report(std::string_view where, std::string_view what) {
        problems.push_back(std::string(where) + ": " + std::string(what));
    }

    // Disabled filters are kept for later: only what would break them once enabled is reported.
    void checkFilter(const foundation::Dictionary& filter, const std::string& where, bool used) {
        if (!used) {
            checkPatterns(filter, where);
            return;
        }
        const std::string ignored = "; the mail extension ignores this filter";
        if (foundation::find(filter, record::kString)) {
            report(where, "carries a \"string\" entry" + ignored);
            return;
        }
        const Value* colour = foundation::find(filter, record::kHexColor);
        bool usable = true;
        if (!colour || !colour->asString()) {
            report(where, "has no colour" + ignored);
            usable = false;
        } else if (*colour->asString() == settings::kNoColourHex) {
            report(where, "has no colour chosen (\"#FFFFFF\")" + ignored);
            usable = false;
        } else if (!engine::mailColour(engine::parseHexColour(*colour->asString()), 1.0)) {
            report(where, "colour \"" + *colour->asString() +
                              "\" is not a colour; its stripe shows white");
        }
        if (!checkPatterns(filter, where) && usable)
            report(where, "has no pattern" + ignored);
    }

    // Reports patterns that cannot work; true when the filter has at least one pattern.
    bool checkPatterns(const foundation::Dictionary& filter, const std::string& where) {
        bool anyPattern = false;
        for (const auto& field : record::kPatternFields) {
            const Value* pattern = foundation::find(filter, field.pattern);
            if (pattern && !pattern->asString()) {
                report(where, std::string(field.pattern) + " pattern is " + kindName(*pattern) +
                                  ", not text; it takes no part");
                continue;
            }
            if (!isNonEmptyString(pattern))
                continue;
            anyPattern = true;
            if (auto error = engine::patternError(*pattern->asString()))
                report(where, std::string(field.pattern) + " pattern \"" + *pattern->asString() +
                                  "\" does not compile (" + *error + "); it never matches");
            else if (engine::hitsSearchLimits(*pattern->asString()))
                report(where, std::string(field.pattern) + " pattern \"" + *pattern->asString() +
                                  "\" runs into the search time limit; Mail stops searching it "
                                  "at its first such message, until the settings change");
            checkMatchType(filter, field, where);
        }
        return anyPattern;
    }

    void checkMatchType(const foundation::Dictionary& filter, const record::PatternField& field,
                        const std::string& where) {
        const Value* type = foundation::find(filter, field.matchType);
        if (!type)
            return;
        const auto reading = type->intValue();
        if (type->isNumber() &&
            (reading == record::kMatchTypeOr || reading == record::kMatchTypeAnd))
            return;
        report(where, std::string(field.matchType) + " is " + kindName(*type) + "; it reads as " +
                          (reading == record::kMatchTypeAnd ? "AND" : "OR"));
    }

    void checkBoolean(std::string_view key, const Value& value) {
        if (value.isNumber())
            return;
        report(key, "is " + kindName(value) + ", not a switch; it reads as " +
                        (value.boolValue() ? "YES" : "NO"));
    }

    void checkInteger(std::string_view key, const Value& value) {
        const auto reading = value.intValue();
        if (!value.isNumber()) {
            report(key, "is " + kindName(value) + ", not a number; it reads as " +
                            std::to_string(reading));
            return;
        }
        if (value.isReal() && value.doubleValue() != reading)
            report(key, "is " + formatReal(value.doubleValue()) + "; it reads as " +
                            std::to_string(reading));
        if (key.find("AlphaLevel") != std::string_view::npos && (reading < 0 || reading > 100))
            report(key, "is " + std::to_string(reading) + ", outside 0 to 100 percent");
        if ((key.find("WidthType") != std::string_view::npos ||
             key.find("HeightType") != std::string_view::npos) &&
            reading < 0)
            report(key, "is " + std::to_string(reading) + "; a band cannot have a negative size");
    }

    void checkPrefix(std::string_view key, const Value& value) {
        if (!value.isString())
            report(key, "is " + kindName(value) + ", not text");
    }

    void checkAccountColour(std::string_view account, const Value& value) {
        const std::string where = "account \"" + std::string(account) + "\"";
        if (!value.asString()) {
            report(where, "colour is " + kindName(value) + ", not a colour string; no band");
            return;
        }
        if (!engine::mailColour(engine::parseHexColour(*value.asString()), 1.0))
            report(where,
                   "colour \"" + *value.asString() + "\" is not a colour; its band stays clear");
    }
};

int runCheck(const Arguments& arguments, std::ostream& out) {
    const SettingsSource source = settingsSource(arguments);

    Linter linter;
    linter.checkOptions(source.dictionary);
    linter.checkFilterList(source.dictionary, settings::kFiltersEnabled, true);
    linter.checkFilterList(source.dictionary, settings::kFiltersDisabled, false);

    for (const auto& problem : linter.problems)
        out << source.path.string() << ": " << terminalLine(problem) << '\n';
    if (linter.problems.empty())
        out << source.path.string() << ": no problems found\n";
    return linter.problems.empty() ? 0 : 1;
}

} // namespace

CommandDescription checkCommand() {
    return {.path = "check",
            .summary = "list what the mail extension would ignore or misread in a settings file "
                       "(status 1 when it finds something)",
            .options = {options::settings()},
            .run = runCheck};
}

} // namespace tintbox::cli
