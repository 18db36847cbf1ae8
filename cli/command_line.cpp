#include "cli/command_line.hpp"

#include "cli/command_description.hpp"
#include "cli/device_installer.hpp"
#include "cli/near_names.hpp"
#include "cli/settings_source.hpp"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <map>
#include <memory>
#include <sstream>

#ifndef TINTBOX_VERSION
#define TINTBOX_VERSION "unknown"
#endif

namespace tintbox::cli {
namespace {

constexpr const char* kFooter =
    "Without --settings, commands read the settings file of the device root\n"
    "(TINTBOX_ROOT, default $XDG_DATA_HOME/tintbox/device).\n";

std::vector<std::string> wordsOf(const std::string& path) {
    std::vector<std::string> words;
    std::string::size_type start = 0;
    while (start < path.size()) {
        const auto end = std::min(path.find(' ', start), path.size());
        words.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

std::string parentOf(const std::string& path) {
    const auto space = path.rfind(' ');
    return space == std::string::npos ? std::string() : path.substr(0, space);
}

const CommandDescription* commandAt(const std::string& path) {
    for (const CommandDescription& command : commandTable())
        if (command.path == path)
            return &command;
    return nullptr;
}

std::vector<std::string> childNames(const std::string& group) {
    std::vector<std::string> names;
    for (const CommandDescription* child : childrenOf(group))
        if (!child->hidden)
            names.push_back(wordsOf(child->path).back());
    return names;
}

const OptionDescription* optionNamed(const CommandDescription& command, std::string_view word) {
    const std::string_view name = word.substr(0, word.find('='));
    for (const OptionDescription& option : command.options)
        if (option.name == name)
            return &option;
    return nullptr;
}

// The parser of the whole table, and where each command's CLI11 objects are.
struct Parser {
    CLI::App root{"tintbox: colours mail by account and by filter", "tintbox"};
    std::map<std::string, CLI::App*> apps;
    std::map<std::pair<std::string, std::string>, CLI::Option*> options;
    std::map<std::pair<std::string, std::string>, std::vector<std::string>> storage;
    std::map<std::pair<std::string, std::string>, std::string> operandStorage;

    // Only the commands on the way to the one named are made: they are all that parsing its
    // words reaches, and making every command's options was most of a short command's work.
    explicit Parser(const std::string& named) {
        root.set_version_flag("--version", "tintbox " TINTBOX_VERSION);
        root.footer(kFooter);
        root.fallthrough(false);
        apps[""] = &root;
        for (const CommandDescription& command : commandTable()) {
            if (named != command.path && !named.starts_with(command.path + " "))
                continue;
            CLI::App* parent = apps.at(parentOf(command.path));
            CLI::App* app = parent->add_subcommand(wordsOf(command.path).back(), command.summary);
            if (command.hidden)
                app->group("");
            apps[command.path] = app;
            for (const OptionDescription& description : command.options)
                addOption(command.path, *app, description);
            for (const OperandDescription& operand : command.operands) {
                auto* option = app->add_option(
                    operand.name, operandStorage[{command.path, operand.name}], operand.help);
                option->type_name("");
                if (operand.required)
                    option->required();
                options[{command.path, operand.name}] = option;
            }
        }
    }

    void addOption(const std::string& path, CLI::App& app, const OptionDescription& description) {
        CLI::Option* option = nullptr;
        if (description.arity == Arity::Flag) {
            option = app.add_flag(description.name, description.help);
        } else {
            auto& values = storage[{path, description.name}];
            option = app.add_option(description.name, values, description.help);
            option->type_name(description.valueName);
            option->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
            if (description.arity == Arity::Several) {
                option->expected(1, CLI::detail::expected_max_vector_size);
            } else if (description.arity == Arity::Optional) {
                option->expected(0, 1);
                option->allow_extra_args(false);
            } else {
                option->expected(static_cast<int>(description.valuesPerUse));
                option->allow_extra_args(false);
            }
        }
        options[{path, description.name}] = option;
    }
};

std::string hintFor(const std::string& path) {
    const CommandDescription* command = commandAt(path);
    if (!command || !command->run)
        return "try tintbox " + (path.empty() ? std::string() : path + " ") + "--help";
    return usageLine(*command);
}

class CommandLineError : public std::runtime_error {
public:
    CommandLineError(const std::string& path, const std::string& message)
        : std::runtime_error(message), m_path(path) {}
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// The command the words name, and where its own words start; unknown words of a group are
// refused with the group's subcommands and the nearest ones.
std::pair<std::string, std::size_t> commandNamed(const std::vector<std::string>& words) {
    std::string path;
    std::size_t at = 0;
    while (at < words.size()) {
        const CommandDescription* current = commandAt(path);
        if (current && current->run)
            break;
        const std::string& word = words[at];
        if (word.starts_with("-"))
            break;
        const std::string next = path.empty() ? word : path + " " + word;
        if (!commandAt(next)) {
            const auto names = childNames(path);
            if (path.empty())
                throw CommandLineError("",
                                       "unknown command '" + word + "'" + didYouMean(word, names));
            throw CommandLineError(path, "unknown subcommand '" + word + "'" +
                                             didYouMean(word, names) + "; " + path + " has " +
                                             listOfNames(names));
        }
        path = next;
        ++at;
    }
    return {path, at};
}

// Options that need a value never take the next option as it; a bare --json=VIEWS-style
// option is given its empty value in place, so that it takes no following word.
std::vector<std::string> checkedWords(const CommandDescription& command,
                                      std::vector<std::string> words, std::size_t start) {
    const auto isOption = [&](const std::string& word) {
        return word == "--help" || word == "-h" ||
               (word.starts_with("--") && optionNamed(command, word));
    };
    for (std::size_t i = start; i < words.size(); ++i) {
        if (words[i] == "--")
            break;
        const OptionDescription* option = optionNamed(command, words[i]);
        if (!option || words[i].find('=') != std::string::npos)
            continue;
        if (option->arity == Arity::Optional) {
            words[i] += "=";
            continue;
        }
        if (option->arity == Arity::Flag || option->literalValues)
            continue;
        const std::size_t needed = option->valuesPerUse;
        for (std::size_t v = 1; v <= needed; ++v)
            if (i + v >= words.size() || isOption(words[i + v]))
                throw CommandLineError(
                    command.path,
                    option->name + " needs " +
                        (needed == 1 ? "a value" : std::to_string(needed) + " values") + " (" +
                        option->valueName + ")");
    }
    return words;
}

std::string translated(const CommandDescription* command, const CLI::ParseError& error) {
    std::string message = error.what();
    if (dynamic_cast<const CLI::ExtrasError*>(&error) && command) {
        // CLI11 names the words left over, last first: report the first option among them.
        const auto colon = message.find(": ");
        std::istringstream left(colon == std::string::npos ? message : message.substr(colon + 2));
        std::vector<std::string> words;
        for (std::string each; left >> each;)
            words.insert(words.begin(), each);
        std::string word = words.empty() ? message : words.front();
        for (const auto& each : words)
            if (each.starts_with("-")) {
                word = each;
                break;
            }
        if (word.starts_with("-")) {
            std::vector<std::string> names;
            for (const OptionDescription& option : command->options)
                names.push_back(option.name);
            return "unknown option '" + word + "'" + didYouMean(word, names);
        }
        if (!command->run)
            return "unknown subcommand '" + word + "'" +
                   didYouMean(word, childNames(command->path));
        return "unexpected argument '" + word + "'";
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error)) {
        const auto colon = message.find(':');
        const std::string option = message.substr(0, colon);
        if (message.find("At Most") != std::string::npos)
            return option + " is given more than once";
        return option + " needs a value";
    }
    if (dynamic_cast<const CLI::RequiredError*>(&error)) {
        if (const auto colon = message.find(" is required"); colon != std::string::npos)
            return message.substr(0, colon) + " is required";
    }
    return message;
}

// The uses of each option in command-line order; CLI11 lists an option once per value.
Arguments argumentsOf(const CommandDescription& command, Parser& parser) {
    CLI::App* app = parser.apps.at(command.path);
    std::vector<Arguments::Use> uses;
    std::map<const CLI::Option*, std::size_t> taken;
    const CLI::Option* previous = nullptr;
    for (const CLI::Option* option : app->parse_order()) {
        const OptionDescription* description = optionNamed(command, option->get_name());
        if (!description) {
            previous = option;
            continue;
        }
        std::size_t& index = taken[option];
        const auto& results = option->results();
        if (description->arity == Arity::Flag) {
            uses.push_back({description->name, {}});
        } else if (description->arity == Arity::Several && previous == option && !uses.empty()) {
            uses.back().values.push_back(results.at(index++));
        } else if (index < results.size()) {
            Arguments::Use use{description->name, {}};
            for (std::size_t v = 0; v < description->valuesPerUse && index < results.size(); ++v)
                use.values.push_back(results[index++]);
            if (description->arity == Arity::Optional && use.values.empty())
                use.values.emplace_back();
            if (use.values.size() < description->valuesPerUse)
                throw CommandLineError(command.path, description->name + " needs " +
                                                         std::to_string(description->valuesPerUse) +
                                                         " values (" + description->valueName +
                                                         ")");
            uses.push_back(std::move(use));
        }
        previous = option;
    }
    std::map<std::string, std::size_t> counts;
    for (const auto& use : uses) {
        const OptionDescription* description = optionNamed(command, use.name);
        if (description->arity == Arity::One && ++counts[use.name] > 1)
            throw CommandLineError(command.path, use.name + " is given more than once");
        if (description->choices.empty() || description->kind != ValueKind::Choice)
            continue;
        for (const std::string& value : use.values)
            if (!(description->arity == Arity::Optional && value.empty()) &&
                std::find(description->choices.begin(), description->choices.end(), value) ==
                    description->choices.end())
                throw CommandLineError(command.path, use.name + " '" + value + "' is not " +
                                                         listOfNames(description->choices) +
                                                         didYouMean(value, description->choices));
    }
    std::map<std::string, std::string> operands;
    for (const OperandDescription& operand : command.operands) {
        const CLI::Option* option = parser.options.at({command.path, operand.name});
        if (option->count() == 0)
            continue;
        const std::string value = option->results().front();
        if (operand.kind == ValueKind::Choice &&
            std::find(operand.choices.begin(), operand.choices.end(), value) ==
                operand.choices.end())
            throw CommandLineError(command.path, operand.name + " '" + value + "' is not " +
                                                     listOfNames(operand.choices) +
                                                     didYouMean(value, operand.choices));
        operands[operand.name] = value;
    }
    return Arguments(std::move(uses), std::move(operands));
}

} // namespace

int runCommandLine(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (words.empty()) {
        err << topLevelHelp();
        return 2;
    }
    if (words.front() == "help") {
        out << topLevelHelp();
        return 0;
    }
    std::string path;
    try {
        const auto [named, start] = commandNamed(words);
        path = named;
        Parser parser(path);
        const CommandDescription* command = commandAt(path);
        std::vector<std::string> checked = command ? checkedWords(*command, words, start) : words;
        std::reverse(checked.begin(), checked.end());
        try {
            parser.root.parse(checked);
        } catch (const CLI::CallForHelp&) {
            if (command)
                out << helpText(*command);
            else
                out << topLevelHelp();
            return 0;
        } catch (const CLI::CallForVersion& version) {
            out << version.what() << '\n';
            return 0;
        } catch (const CLI::ParseError& error) {
            throw CommandLineError(path, translated(command, error));
        }
        if (!command || !command->run) {
            const auto names = childNames(path);
            throw CommandLineError(path, "name a subcommand: " + listOfNames(names));
        }
        return command->run(argumentsOf(*command, parser), out);
    } catch (const CommandLineError& error) {
        const std::string where = error.path().empty() ? "tintbox" : "tintbox " + error.path();
        err << where << ": " << error.what() << " (" << hintFor(error.path()) << ")\n";
        return 2;
    } catch (const UsageError& error) {
        err << "tintbox " << path << ": " << error.what() << " (" << hintFor(path) << ")\n";
        return 2;
    } catch (const WriteError& error) {
        err << "tintbox " << path << ": " << error.what() << '\n';
        return 1;
    } catch (const MissingProgramFile& error) {
        err << "tintbox " << path << ": " << error.what() << '\n';
        return 1;
    } catch (const std::exception& error) {
        err << "tintbox " << path << ": " << error.what() << '\n';
        return 2;
    }
}

} // namespace tintbox::cli
