#include "cli/shell_files.hpp"

#include "cli/command_description.hpp"
#include "settings/keys.hpp"

#include <sstream>

#ifndef TINTBOX_VERSION
#define TINTBOX_VERSION "unknown"
#endif

namespace tintbox::cli {
namespace {

// roff treats a leading dot or quote as a request and backslash as an escape.
std::string roff(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '\\')
            escaped += "\\e";
        else if (c == '-')
            escaped += "\\-";
        else
            escaped += c;
    }
    if (!escaped.empty() && (escaped.front() == '.' || escaped.front() == '\''))
        escaped.insert(0, "\\&");
    return escaped;
}

std::string valueText(const OptionDescription& option) {
    if (option.arity == Arity::Flag)
        return "";
    if (option.arity == Arity::Optional)
        return "[=" + option.valueName + "]";
    return " " + option.valueName + (option.arity == Arity::Several ? "..." : "");
}

std::string lastWord(const std::string& path) {
    const auto space = path.rfind(' ');
    return space == std::string::npos ? path : path.substr(space + 1);
}

// A shell word list of the completions of a value.
std::string valueWords(ValueKind kind, const std::vector<std::string>& choices) {
    std::string words;
    if (kind == ValueKind::SettingsKey)
        for (const auto key : settings::kOptionKeys)
            if (key != settings::kFiltersEnabled && key != settings::kFiltersDisabled)
                words += std::string(words.empty() ? "" : " ") + std::string(key);
    for (const auto& choice : choices)
        words += (words.empty() ? "" : " ") + choice;
    return words;
}

const char* kindWord(ValueKind kind) {
    switch (kind) {
    case ValueKind::File:
        return "file";
    case ValueKind::Folder:
        return "dir";
    case ValueKind::Account:
        return "account";
    default:
        return "words";
    }
}

// A subcommand's word for _describe, where a colon would start its description.
std::string lastWordEscaped(const std::string& path) {
    std::string escaped;
    for (char c : lastWord(path))
        escaped += c == ':' ? std::string("\\:") : std::string(1, c);
    return escaped;
}

} // namespace

std::string manPage() {
    std::ostringstream man;
    man << ".TH TINTBOX 1 \"\" \"tintbox " TINTBOX_VERSION "\" \"User Commands\"\n"
        << ".SH NAME\ntintbox \\- colours mail by account and by filter\n"
        << ".SH SYNOPSIS\n.B tintbox\n.I COMMAND\n[\\fIOPTIONS\\fR]\n"
        << ".SH DESCRIPTION\n"
        << "Colours a Maildir's message list, mailboxes and open messages by account and by "
           "filter, and configures the colours and filters from the command line or in the "
           "settings pane. Every command takes \\fB\\-\\-help\\fR.\n"
        << ".SH COMMANDS\n";
    for (const CommandDescription& command : commandTable()) {
        if (command.hidden || !command.run)
            continue;
        man << ".SS \"" << roff("tintbox " + command.path) << "\"\n";
        std::string synopsis = usageLine(command).substr(std::string("usage: ").size());
        man << ".B " << roff(synopsis) << "\n.br\n" << roff(command.summary) << "\n";
        for (const OperandDescription& operand : command.operands)
            man << ".TP\n.I " << roff(operand.name) << "\n" << roff(operand.help) << "\n";
        for (const OptionDescription& option : command.options) {
            man << ".TP\n.B " << roff(option.name + valueText(option)) << "\n" << roff(option.help);
            if (!option.choices.empty()) {
                std::string list;
                for (const auto& choice : option.choices)
                    list += (list.empty() ? "" : ", ") + choice;
                man << " (" << roff(list) << ")";
            }
            man << "\n";
        }
    }
    man << ".SH ENVIRONMENT\n"
        << ".TP\n.B TINTBOX_ROOT\nThe device root: the folder that holds the settings file, the "
           "accounts and the installed plug-ins (default $XDG_DATA_HOME/tintbox/device).\n"
        << ".TP\n.B NO_COLOR\nWhen set, \\fB\\-\\-color=auto\\fR prints no colour.\n"
        << ".TP\n.B TERM\n\\fBdumb\\fR turns colour off for \\fB\\-\\-color=auto\\fR.\n"
        << ".SH EXIT STATUS\n0 done; 1 \\fBcheck\\fR found a problem (or an action failed); "
           "2 bad arguments or input, or output that could not be written.\n"
        << ".SH EXAMPLES\n.nf\n"
        << "tintbox init \\-\\-account 'My Mail=~/Maildir'\n"
        << "tintbox account colour 'My Mail' 2E7D32\n"
        << "tintbox filter add \\-\\-from 'boss@example\\e.com' \\-\\-colour C62828\n"
        << "tintbox mail list \\-\\-color=always | less \\-R\n.fi\n";
    return man.str();
}

// The script walks the words typed so far down the command table, then offers the options
// of the command reached, the values of the option just typed, or the next subcommands.
std::string bashCompletion() {
    std::ostringstream sh;
    sh << "# bash completion for tintbox, made by `tintbox completion bash`\n"
       << "_tintbox() {\n"
       << "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
       << "    local path='' i word\n"
       << "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
       << "        word=${COMP_WORDS[i]}\n"
       << "        [[ $word == -* ]] && continue\n"
       << "        case \"${path:+$path }$word\" in\n";
    for (const CommandDescription& command : commandTable())
        if (!command.hidden)
            sh << "            '" << command.path << "') path=\"${path:+$path }$word\" ;;\n";
    sh << "        esac\n    done\n"
       << "    local words='' kind=''\n"
       << "    case \"$path|$prev\" in\n";
    for (const CommandDescription& command : commandTable())
        for (const OptionDescription& option : command.options) {
            if (option.arity == Arity::Flag || option.arity == Arity::Optional)
                continue;
            sh << "        '" << command.path << "|" << option.name
               << "') kind=" << kindWord(option.kind) << " words='"
               << valueWords(option.kind, option.choices) << "' ;;\n";
        }
    sh << "    esac\n"
       << "    if [[ -z $kind ]]; then\n"
       << "        case \"$path\" in\n";
    for (const CommandDescription& command : commandTable()) {
        std::string options = "--help";
        for (const OptionDescription& option : command.options)
            options += " " + option.name +
                       (option.arity == Arity::Optional ? " " + option.name + "=" : "");
        std::string children;
        for (const CommandDescription* child : childrenOf(command.path))
            if (!child->hidden)
                children.append(children.empty() ? "" : " ").append(lastWord(child->path));
        std::string operandWords;
        if (!command.operands.empty())
            operandWords =
                valueWords(command.operands.front().kind, command.operands.front().choices);
        const bool accounts =
            !command.operands.empty() && command.operands.front().kind == ValueKind::Account;
        sh << "            '" << command.path << "') kind=" << (accounts ? "account" : "words")
           << " words=\"$([[ $cur == -* ]] && echo '" << options << "' || echo '"
           << (children.empty() ? operandWords : children) << "')\" ;;\n";
    }
    std::string top;
    for (const CommandDescription* child : childrenOf(""))
        if (!child->hidden)
            top += (top.empty() ? "" : " ") + child->path;
    sh << "            '') kind=words words='" << top << " --help --version' ;;\n"
       << "        esac\n    fi\n"
       << "    case $kind in\n"
       << "        file) COMPREPLY=($(compgen -f -- \"$cur\")) ;;\n"
       << "        dir) COMPREPLY=($(compgen -d -- \"$cur\")) ;;\n"
       << "        account)\n"
       << "            if [[ $cur == -* ]]; then COMPREPLY=($(compgen -W \"$words\" -- \"$cur\"))\n"
       << "            else local IFS=$'\\n'; COMPREPLY=($(compgen -W \"$(tintbox account list "
          "--names 2>/dev/null)\" -- \"$cur\")); fi ;;\n"
       << "        *) COMPREPLY=($(compgen -W \"$words\" -- \"$cur\")) ;;\n"
       << "    esac\n}\n"
       << "complete -o default -F _tintbox tintbox\n";
    return sh.str();
}

namespace {

// Text inside a single-quoted zsh word.
std::string zshQuoted(const std::string& text) {
    std::string quoted;
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted;
}

// Text of an _arguments field: brackets end a description, colons end a message.
std::string zshField(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '[' || c == ']' || c == ':' || c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

// What _arguments completes for a value: file names, folders, accounts or a list of words.
std::string zshAction(ValueKind kind, const std::vector<std::string>& choices) {
    switch (kind) {
    case ValueKind::File:
        return "_files";
    case ValueKind::Folder:
        return "_files -/";
    case ValueKind::Account:
        return "_tintbox_accounts";
    default:
        break;
    }
    const std::string words = valueWords(kind, choices);
    return words.empty() ? " " : "(" + words + ")";
}

std::string zshOptionArgument(const OptionDescription& option) {
    const bool repeats = option.arity == Arity::Repeated || option.arity == Arity::Several;
    std::string argument = std::string(repeats ? "*" : "") + option.name;
    // Appended, not prefixed: GCC 12 at -O3 takes a prefix to a temporary for an overlapping copy.
    std::string value(1, ':');
    value += zshField(option.valueName);
    value += ':';
    value += zshAction(option.kind, option.choices);
    switch (option.arity) {
    case Arity::Flag:
        return argument + "[" + zshField(option.help) + "]";
    case Arity::Optional:
        return argument + "=-[" + zshField(option.help) + "]:" + value;
    default:
        break;
    }
    if (option.valuesPerUse > 1) {
        argument += '[';
        argument += zshField(option.help);
        argument += ']';
        for (std::size_t index = 0; index < option.valuesPerUse; ++index) {
            argument += ':';
            argument += zshField(option.valueName);
            argument += ": ";
        }
        return argument;
    }
    return argument + "=[" + zshField(option.help) + "]" + value;
}

std::string zshOperandArgument(const OperandDescription& operand) {
    const std::string message = operand.name + (operand.help.empty() ? "" : ": " + operand.help);
    return std::string(operand.required ? ":" : "::") + zshField(message) + ":" +
           zshAction(operand.kind, operand.choices);
}

} // namespace

// The script follows the words typed so far down the command table, drops them, and hands the
// rest to _arguments with the options and operands of the command reached, or offers the
// subcommands of the group reached with their summaries.
std::string zshCompletion() {
    std::ostringstream zsh;
    zsh << "#compdef tintbox\n"
        << "# zsh completion for tintbox, made by `tintbox completion zsh`\n\n"
        << "_tintbox_accounts() {\n"
        << "    local -a names expl\n"
        << "    names=(${(f)\"$(tintbox account list --names 2>/dev/null)\"})\n"
        << "    _wanted accounts expl account compadd -a names\n"
        << "}\n\n"
        << "_tintbox() {\n"
        << "    local i word command_path='' current=$CURRENT\n"
        << "    local -a kept\n"
        << "    kept=(\"${words[1]}\")\n"
        << "    for ((i = 2; i <= $#words; i++)); do\n"
        << "        word=${words[i]}\n"
        << "        if ((i < CURRENT)) && [[ $word != -* ]]; then\n"
        << "            case \"${command_path:+$command_path }$word\" in\n";
    std::string paths;
    for (const CommandDescription& command : commandTable())
        if (!command.hidden)
            paths += (paths.empty() ? "'" : "|'") + command.path + "'";
    zsh << "                (" << paths << ")\n"
        << "                    command_path=\"${command_path:+$command_path }$word\"\n"
        << "                    ((current--))\n"
        << "                    continue ;;\n"
        << "            esac\n"
        << "        fi\n"
        << "        kept+=(\"$word\")\n"
        << "    done\n"
        << "    words=(\"${kept[@]}\")\n"
        << "    CURRENT=$current\n"
        << "    case $command_path in\n";
    const auto group = [&zsh](const std::string& path, const std::string& options) {
        zsh << "        ('" << path << "')\n"
            << "            if [[ ${words[CURRENT]} == -* ]]; then\n"
            << "                _arguments " << options << "\n"
            << "            else\n"
            << "                local -a commands\n"
            << "                commands=(";
        for (const CommandDescription* child : childrenOf(path))
            if (!child->hidden)
                zsh << "\n                    '"
                    << zshQuoted(lastWordEscaped(child->path) + ":" + child->summary) << "'";
        zsh << ")\n"
            << "                _describe -t commands 'tintbox" << (path.empty() ? "" : " ") << path
            << " command' commands\n"
            << "            fi ;;\n";
    };
    group("", "'(- *)--help[show the commands]' '(- *)--version[show the version]'");
    for (const CommandDescription& command : commandTable()) {
        if (command.hidden)
            continue;
        if (!command.run) {
            group(command.path, "'(- *)--help[show the subcommands]'");
            continue;
        }
        zsh << "        ('" << command.path << "')\n"
            << "            _arguments -S \\\n"
            << "                '(- *)--help[show the usage of this command]'";
        for (const OptionDescription& option : command.options)
            zsh << " \\\n                '" << zshQuoted(zshOptionArgument(option)) << "'";
        for (const OperandDescription& operand : command.operands)
            zsh << " \\\n                '" << zshQuoted(zshOperandArgument(operand)) << "'";
        zsh << " ;;\n";
    }
    zsh << "    esac\n"
        << "}\n\n"
        << "if [[ ${funcstack[1]} == _tintbox ]]; then\n"
        << "    _tintbox \"$@\"\n"
        << "else\n"
        << "    compdef _tintbox tintbox\n"
        << "fi\n";
    return zsh.str();
}

} // namespace tintbox::cli
