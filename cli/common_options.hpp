// Options that several commands share, declared once so that they read the same everywhere.
#pragma once

#include "cli/command_description.hpp"

namespace tintbox::cli::options {

inline OptionDescription settings() {
    return {.name = "--settings",
            .valueName = "FILE",
            .help = "read this settings file instead of the device root's",
            .kind = ValueKind::File};
}
inline OptionDescription json(std::string help = "print JSON instead of text") {
    return {.name = "--json", .help = std::move(help), .arity = Arity::Flag};
}
inline OptionDescription
png(std::string help = "write a picture of the screen to FILE instead of text") {
    return {.name = "--png", .valueName = "FILE", .help = std::move(help), .kind = ValueKind::File};
}
inline OptionDescription width() {
    return {
        .name = "--width", .valueName = "POINTS", .help = "screen width in points (100 to 4096)"};
}
inline OptionDescription color() {
    return {.name = "--color",
            .valueName = "WHEN",
            .help = "colour the text: auto (a terminal, not TERM=dumb, no NO_COLOR), always or "
                    "never",
            .kind = ValueKind::Choice,
            .choices = {"auto", "always", "never"}};
}
inline OptionDescription account(std::string help = "the account, by name (any case)") {
    return {.name = "--account",
            .valueName = "NAME",
            .help = std::move(help),
            .kind = ValueKind::Account};
}
inline OptionDescription mailbox() {
    return {.name = "--mailbox",
            .valueName = "NAME",
            .help = "a mailbox of the account (Lists/dev or Lists.dev); default INBOX"};
}
inline OptionDescription root() {
    return {.name = "--root",
            .valueName = "DIR",
            .help = "the device root (default TINTBOX_ROOT or $XDG_DATA_HOME/tintbox/device)",
            .kind = ValueKind::Folder};
}

} // namespace tintbox::cli::options
