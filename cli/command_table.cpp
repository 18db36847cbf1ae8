// The one table of commands. Adding a command: its own file with a function that answers its
// CommandDescription, declared in commands.hpp, and one line here.
#include "cli/app_commands.hpp"
#include "cli/command_description.hpp"
#include "cli/commands.hpp"

#include <algorithm>
#include <sstream>

namespace tintbox::cli {
namespace {

void append(std::vector<CommandDescription>& table, std::vector<CommandDescription> more) {
    for (auto& command : more)
        table.push_back(std::move(command));
}

std::vector<CommandDescription> makeTable() {
    std::vector<CommandDescription> table;
    table.push_back(initCommand());
    table.push_back(demoCommand());
    append(table, mailCommands());
    append(table, mailToolbarCommands());
    table.push_back(mailRemindCommand());
    append(table, settingsCommands());
    append(table, appCommands());
    append(table, filterCommands());
    append(table, accountCommands());
    append(table, getSetCommands());
    table.push_back(matchCommand());
    table.push_back(checkCommand());
    table.push_back(snapshotCommand());
    append(table, buildFileCommands());
    return table;
}

} // namespace

const std::vector<CommandDescription>& commandTable() {
    static const std::vector<CommandDescription> table = makeTable();
    return table;
}

std::vector<const CommandDescription*> childrenOf(const std::string& groupPath) {
    std::vector<const CommandDescription*> children;
    for (const CommandDescription& command : commandTable()) {
        const auto space = command.path.rfind(' ');
        const std::string parent =
            space == std::string::npos ? std::string() : command.path.substr(0, space);
        if (parent == groupPath)
            children.push_back(&command);
    }
    return children;
}

std::string usageLine(const CommandDescription& command) {
    std::string line = "usage: tintbox " + command.path;
    if (!command.run)
        return line + " SUBCOMMAND [OPTIONS]";
    for (const OperandDescription& operand : command.operands)
        line += operand.required ? " " + operand.name : " [" + operand.name + "]";
    for (const OptionDescription& option : command.options) {
        std::string text = option.name;
        if (option.arity == Arity::Optional)
            text += "[=" + option.valueName + "]";
        else if (option.arity != Arity::Flag)
            text += " " + option.valueName;
        if (option.arity == Arity::Several)
            text += "...";
        line += option.required ? " " + text : " [" + text + "]";
        if (option.arity == Arity::Repeated)
            line += "...";
    }
    return line;
}

std::string helpText(const CommandDescription& command) {
    std::string text = usageLine(command) + "\n  " + command.summary + "\n";
    if (!command.run) {
        text += "\n";
        for (const CommandDescription* child : childrenOf(command.path))
            if (!child->hidden)
                text += "  " + usageLine(*child).substr(7) + "\n      " + child->summary + "\n";
        return text;
    }
    if (!command.operands.empty() || !command.options.empty())
        text += "\n";
    const auto line = [&](std::string left, const std::string& help) {
        left = "  " + left;
        if (left.size() < 28)
            left.resize(28, ' ');
        else
            left += "\n" + std::string(28, ' ');
        text += left + help + "\n";
    };
    for (const OperandDescription& operand : command.operands)
        line(operand.name, operand.help);
    for (const OptionDescription& option : command.options) {
        std::string left = option.name;
        if (option.arity == Arity::Optional)
            left += "[=" + option.valueName + "]";
        else if (option.arity != Arity::Flag)
            left += " " + option.valueName + (option.arity == Arity::Several ? "..." : "");
        std::string help = option.help;
        if (!option.choices.empty() && option.kind == ValueKind::Choice) {
            std::string list;
            for (const auto& choice : option.choices)
                list += (list.empty() ? "" : ", ") + choice;
            help += " (" + list + ")";
        }
        line(left, help);
    }
    line("-h, --help", "print this help");
    return text;
}

namespace {

// Appends "  left  text" with text wrapped at the terminal's customary 80 columns, under itself.
void appendEntry(std::string& help, const std::string& left, const std::string& text) {
    constexpr std::size_t kTextColumn = 22;
    constexpr std::size_t kWidth = 79;
    std::string line = "  " + left;
    if (line.size() + 2 > kTextColumn) {
        help += line + "\n";
        line.clear();
    }
    line.resize(kTextColumn, ' ');
    std::istringstream words(text);
    bool first = true;
    for (std::string word; words >> word; first = false) {
        if (!first && line.size() + 1 + word.size() > kWidth) {
            help += line + "\n";
            line = std::string(kTextColumn, ' ') + word;
        } else {
            line += (first ? "" : " ") + word;
        }
    }
    help += line + "\n";
}

std::string optionLeft(const OptionDescription& option) {
    if (option.arity == Arity::Flag)
        return option.name;
    if (option.arity == Arity::Optional)
        return option.name + "[=" + option.valueName + "]";
    return option.name + " " + option.valueName + (option.arity == Arity::Several ? "..." : "");
}

} // namespace

std::string topLevelHelp() {
    std::string help = "Usage: tintbox COMMAND [SUBCOMMAND] [OPTIONS] [ARGUMENTS]\n"
                       "       tintbox --help | --version\n"
                       "Colours mail by account and by filter, and configures the colours.\n"
                       "\nCommands:\n";
    for (const CommandDescription* command : childrenOf("")) {
        if (command->hidden)
            continue;
        appendEntry(help, command->path, command->summary);
        for (const CommandDescription* child : childrenOf(command->path))
            if (!child->hidden)
                appendEntry(help, "  " + child->path.substr(command->path.size() + 1),
                            child->summary);
    }
    // Options that several commands take alike, each once, as most of them describe it.
    constexpr int kCommon = 3;
    struct Variant {
        const OptionDescription* option;
        int uses;
    };
    std::vector<std::vector<Variant>> byName;
    for (const CommandDescription& command : commandTable())
        for (const OptionDescription& option : command.options) {
            auto named = std::find_if(byName.begin(), byName.end(), [&](const auto& variants) {
                return variants.front().option->name == option.name;
            });
            if (named == byName.end()) {
                byName.push_back({{&option, 1}});
                continue;
            }
            auto same = std::find_if(named->begin(), named->end(), [&](const Variant& variant) {
                return variant.option->valueName == option.valueName &&
                       variant.option->help == option.help;
            });
            if (same == named->end())
                named->push_back({&option, 1});
            else
                ++same->uses;
        }
    help += "\nCommon options:\n";
    for (const auto& variants : byName) {
        const auto usual =
            std::max_element(variants.begin(), variants.end(),
                             [](const Variant& a, const Variant& b) { return a.uses < b.uses; });
        if (usual->uses >= kCommon)
            appendEntry(help, optionLeft(*usual->option), usual->option->help);
    }
    appendEntry(help, "-h, --help", "print the help of tintbox or of a command");
    appendEntry(help, "--version", "print the version");
    help += "\nRun 'tintbox COMMAND --help' for a command's options. See tintbox(1).\n";
    return help;
}

} // namespace tintbox::cli
