// tintbox: the command for people and tests. Exit status: 0 done, 1 `check` found a problem,
// 2 bad arguments or input.
#include "cli/commands.hpp"
#include "cli/settings_source.hpp"

#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

using tintbox::cli::Arguments;

struct Command {
    int (*run)(Arguments, std::ostream&);
    const char* usage;
    const char* summary;
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
          "sample device, coloured message list, and pictures of the Mail screens"}},
        {"mail",
         {tintbox::cli::runMail,
          "tintbox mail list [--account NAME [--mailbox NAME]] [--source all|unread|flagged] "
          "[--watch [--watch-seconds N]] | "
          "mailboxes | folders --account NAME | open --message ID  [--json] [--png FILE] "
          "[--width POINTS] | quick-filter --segment all|unread|flagged "
          "[--account NAME [--mailbox NAME]] [--json] [--png FILE] [--width POINTS] | "
          "mark-move --account NAME [--mailbox NAME] --select ID... --to MAILBOX [--json] | "
          "remind --message ID --due YYYY-MM-DDTHH:MM[:SS] [--cancel]",
          "show a screen of the Mail app with the mail extension loaded"}},
        {"settings",
         {tintbox::cli::runSettings,
          "tintbox settings colour --key NAME [--hex TEXT]... [--rgb R,G,B]... [--tap X,Y]... "
          "[--drag X1,Y1:X2,Y2]... [--picker h|s|b] [--png FILE] [--json] | "
          "show [PATH] [--toggle ROW] [--choose ROW VALUE] "
          "[--text ROW TEXT] [--slide ROW VALUE] [--tap ROW] [--move FROM TO] "
          "[--answer BUTTON [--field TEXT]...]... [--json | --png FILE] | panes [--json]",
          "edit a colour in the settings pane (typed entry first, then taps and drags on the "
          "picker, in picker points); --picker stores the picker type; show a pane of the "
          "settings app (PATH: row titles tapped from the root, such as Filters/0), after the "
          "row actions given, in order; ROW is \"SECTION,ROW\" or the row's title; panes: "
          "the panes the settings app lists"}},
    };
    return table;
}

void printHelp(std::ostream& out) {
    out << "tintbox: colours mail by account and by filter\n\n"
           "usage: tintbox COMMAND [OPTIONS]   (tintbox COMMAND --help for its options)\n\n";
    for (const auto& [name, command] : commands())
        out << "  " << name << std::string(10 - name.size(), ' ') << command.summary << '\n';
    out << "\nWithout --settings, commands read the settings file of the device root\n"
           "(TINTBOX_ROOT, default $XDG_DATA_HOME/tintbox/device).\n";
}

} // namespace

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
    Arguments arguments(std::move(words));
    if (arguments.takeFlag("--help") || arguments.takeFlag("-h")) {
        std::cout << "usage: " << command.usage << "\n  " << command.summary << '\n';
        return 0;
    }
    try {
        return command.run(std::move(arguments), std::cout);
    } catch (const tintbox::cli::UsageError& error) {
        std::cerr << "tintbox " << name << ": " << error.what() << " (usage: " << command.usage
                  << ")\n";
        return 2;
    } catch (const tintbox::cli::InputError& error) {
        std::cerr << "tintbox " << name << ": " << error.what() << '\n';
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "tintbox " << name << ": " << error.what() << '\n';
        return 2;
    }
}
