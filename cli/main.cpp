// tintbox: the command for people and tests. Exit status: 0 done, 1 `check` found a problem or
// a file that comes with the program is missing, 2 bad arguments or input.
#include "cli/commands.hpp"
#include "cli/device_installer.hpp"
#include "cli/settings_source.hpp"

#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

using tintbox::cli::Arguments;

struct Subcommand {
    const char* name;
    const char* usage;
    const char* summary;
};

struct Command {
    int (*run)(Arguments, std::ostream&);
    const char* usage; // for a command with subcommands: the general form
    const char* summary;
    std::vector<Subcommand> subcommands{};
};

const std::map<std::string, Command, std::less<>>& commands() {
    static const std::map<std::string, Command, std::less<>> table{
        {"snapshot",
         {tintbox::cli::runSnapshot, "tintbox snapshot [--settings FILE] --json",
          "load a settings file as the mail extension does and print the snapshot"}},
        {"match",
         {tintbox::cli::runMatch,
          "tintbox match [--settings FILE] [--subject TEXT] [--from ADDR]... [--to ADDR]... "
          "[--cc ADDR]... [--json]",
          "print the colours of the filters that a message matches, in order"}},
        {"check",
         {tintbox::cli::runCheck, "tintbox check [--settings FILE]",
          "list what the mail extension would ignore or misread in a settings file"}},
        {"init",
         {tintbox::cli::runInit,
          "tintbox init [--root DIR] [--sample] [--account NAME=MAILDIR]... "
          "[--local-account NAME=MAILDIR]...",
          "make a device root, install the built plug-ins and add accounts or the sample set"}},
        {"demo",
         {tintbox::cli::runDemo, "tintbox demo [--out DIR] [--root DIR] [--width POINTS]",
          "sample device, coloured message list, and pictures of the Mail and Settings screens"}},
        {"mail",
         {tintbox::cli::runMail,
          "tintbox mail SUBCOMMAND [OPTIONS]",
          "show a screen of the Mail app with the mail extension loaded, and act on it",
          {{"list",
            "tintbox mail list [--account NAME [--mailbox NAME]] [--source all|unread|flagged] "
            "[--watch [--watch-seconds N]] [--json] [--png FILE] [--width POINTS]",
            "the message list (all inboxes, or one mailbox); --watch redraws on each settings "
            "change"},
           {"mailboxes", "tintbox mail mailboxes [--json] [--png FILE] [--width POINTS]",
            "the mailbox list"},
           {"folders", "tintbox mail folders --account NAME [--json] [--png FILE] [--width POINTS]",
            "the folder list of one account"},
           {"open", "tintbox mail open --message ID [--json] [--png FILE] [--width POINTS]",
            "an open message"},
           {"quick-filter",
            "tintbox mail quick-filter --segment all|unread|flagged "
            "[--account NAME [--mailbox NAME]] [--json] [--png FILE] [--width POINTS]",
            "tap a segment of the quick filter bar and show the list"},
           {"mark-move",
            "tintbox mail mark-move --account NAME [--mailbox NAME] --select ID... "
            "--to MAILBOX [--json]",
            "select messages in edit mode, long-press Move (mark as read) and move them"},
           {"remind", "tintbox mail remind --message ID --due YYYY-MM-DDTHH:MM[:SS] [--cancel]",
            "long-press a message, pick the due date and add (or cancel) the reminder"}}}},
        {"settings",
         {tintbox::cli::runSettings,
          "tintbox settings SUBCOMMAND [OPTIONS]",
          "show and drive the settings pane as the Settings app does",
          {{"show",
            "tintbox settings show [PATH] [--toggle ROW] [--choose ROW VALUE] "
            "[--text ROW TEXT] [--slide ROW VALUE] [--tap ROW] [--move FROM TO] "
            "[--answer BUTTON [--field TEXT]...]... [--json | --png FILE]",
            "a pane (PATH: rows tapped from the root, such as Filters/0), after the row actions "
            "given, in order; ROW is \"SECTION,ROW\", the row's title, or a row number of the "
            "first section"},
           {"colour",
            "tintbox settings colour --key NAME [--hex TEXT]... [--rgb R,G,B]... [--tap X,Y]... "
            "[--drag X1,Y1:X2,Y2]... [--picker h|s|b] [--png FILE] [--json]",
            "edit a colour in the colour selector pane: typed entry first, then taps and drags "
            "on the picker, in picker points; --picker stores the picker type"},
           {"panes", "tintbox settings panes [--json]", "the panes the Settings app lists"}}}},
    };
    return table;
}

// The subcommand that the words name, if the command has one of that name.
const Subcommand* subcommandOf(const Command& command, const std::vector<std::string>& words) {
    for (const Subcommand& subcommand : command.subcommands)
        if (!words.empty() && words.front() == subcommand.name)
            return &subcommand;
    return nullptr;
}

void printCommandHelp(const Command& command, const std::vector<std::string>& words,
                      std::ostream& out) {
    if (const Subcommand* subcommand = subcommandOf(command, words)) {
        out << "usage: " << subcommand->usage << "\n  " << subcommand->summary << '\n';
        return;
    }
    out << "usage: " << command.usage << "\n  " << command.summary << '\n';
    if (!command.subcommands.empty())
        out << '\n';
    for (const Subcommand& subcommand : command.subcommands)
        out << "  " << subcommand.usage << "\n      " << subcommand.summary << '\n';
}

void printHelp(std::ostream& out) {
    out << "tintbox: colours mail by account and by filter\n\n"
           "usage: tintbox COMMAND [OPTIONS]   (tintbox COMMAND --help for its options)\n\n";
    for (const auto& [name, command] : commands())
        out << "  " << name << std::string(10 - name.size(), ' ') << command.summary << '\n';
    out << "\nWithout --settings, commands read the settings file of the device root\n"
           "(TINTBOX_ROOT, default $XDG_DATA_HOME/tintbox/device).\n";
}

// One line for an error: the form that was meant, or where to read the forms.
std::string usageHint(const std::string& name, const Command& command,
                      const std::vector<std::string>& words) {
    if (const Subcommand* subcommand = subcommandOf(command, words))
        return std::string("usage: ") + subcommand->usage;
    if (command.subcommands.empty())
        return std::string("usage: ") + command.usage;
    return "try tintbox " + name + " --help";
}

} // namespace

#if defined(__SANITIZE_ADDRESS__)
// The font library's suppressed leak would otherwise be reported on standard error at every
// exit, after the one line that callers read. Read at start-up, so it must be the program's.
extern "C" const char* __lsan_default_options() {
    return "print_suppressions=0";
}
#endif

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty() || words.front() == "--help" || words.front() == "-h" ||
        words.front() == "help") {
        printHelp(std::cout);
        return words.empty() ? 2 : 0;
    }
    const std::string name = words.front();
    words.erase(words.begin());
    const auto found = commands().find(name);
    if (found == commands().end()) {
        std::cerr << "tintbox: unknown command '" << name << "' (try tintbox --help)\n";
        return 2;
    }
    const Command& command = found->second;
    const std::string hint = usageHint(name, command, words);
    Arguments arguments(words);
    if (arguments.takeFlag("--help") || arguments.takeFlag("-h")) {
        printCommandHelp(command, words, std::cout);
        return 0;
    }
    try {
        return command.run(std::move(arguments), std::cout);
    } catch (const tintbox::cli::UsageError& error) {
        std::cerr << "tintbox " << name << ": " << error.what() << " (" << hint << ")\n";
        return 2;
    } catch (const tintbox::cli::MissingProgramFile& error) {
        std::cerr << "tintbox " << name << ": " << error.what() << '\n';
        return 1;
    } catch (const tintbox::cli::InputError& error) {
        std::cerr << "tintbox " << name << ": " << error.what() << '\n';
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "tintbox " << name << ": " << error.what() << '\n';
        return 2;
    }
}
