// The one table of commands. Adding a command: its own file with a function that answers its
// CommandDescription, declared in commands.hpp, and one line here.
#include "cli/app_commands.hpp"
#include "cli/command_description.hpp"
#include "cli/commands.hpp"

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

} // namespace tintbox::cli
