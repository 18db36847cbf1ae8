// What `tintbox mail` and `tintbox demo` share: launching the Mail stand-in on the device
// root, finding the accounts, mailboxes and messages a user names (one-line InputErrors for
// unknown ones), and writing a screen as a picture, a JSON view dump or terminal text.
#pragma once

#include "cli/arguments.hpp"
#include "cli/terminal_view.hpp"
#include "sim/mail/MailApp.hpp"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

class MailAccount;
class MailMessage;
class Mailbox;

namespace tintbox::cli {

// Refuses a device root without an accounts file (InputError naming the root).
void requireMailDevice();
// Whether a command shows the screens (a picture, a view dump, a window), or only reads what
// their views hold, which needs no layout.
enum class ScreenUse { Shown, ContentsRead };
// Launches the app on the device root with the screen width given (points), if any.
sim::mail::MailApp launchMail(std::optional<double> width, ScreenUse use = ScreenUse::Shown);
// Terminal text for standard output, coloured as --color says (auto: only on a terminal that
// wants colour); another stream always gets plain text.
TerminalView terminalFor(const Arguments& arguments, std::ostream& out);
// Parses --width's value: a positive number of points (UsageError otherwise).
std::optional<double> parseWidth(const std::optional<std::string>& text);

// The account of that name; without an exact match, the one whose name matches without regard
// to case. An InputError lists the accounts and the nearest names.
MailAccount& accountNamed(const std::string& name);
std::vector<std::string> accountNames();
// The mailbox of that name, where Lists.dev also names Lists/dev and case counts only when
// it must; an InputError lists the account's mailboxes.
Mailbox& mailboxNamed(MailAccount& account, const std::string& name);
MailMessage& messageWithIdentifier(const std::string& identifier);
// The inboxes of every account, as the All Inboxes row lists them.
std::vector<objc::Ref<NSObject>> allInboxes();

// {"contentOffset": [x, y], "rows": [{"message": ID, "subject": ..., "cell": VIEW-DUMP}, ...]}
// of a message list; a row shows at its frame less the table's content offset.
// The rows are walked by scrolling the table, so every row is filled as on screen.
nlohmann::ordered_json messageListJson(MailboxContentViewController& list);
// The same text as messageListJson(list).dump(indent), written row by row as the table
// scrolls, so that a long list never stands whole in memory.
void writeMessageListJson(std::ostream& out, MailboxContentViewController& list, int indent);

} // namespace tintbox::cli
