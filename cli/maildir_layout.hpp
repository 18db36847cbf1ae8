// Whether a folder that a user names as an account's mail is a Maildir that the Mail stand-in
// reads: Maildir++ (cur/new at the top, mailboxes as .Name folders) or the plain-folder layout
// of mbsync and OfflineIMAP (INBOX/, Archive/, Lists/dev/, each with cur/new).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tintbox::cli {

// Nothing when the folder holds mail in either layout; otherwise one line saying why not.
std::optional<std::string> maildirProblem(const std::filesystem::path& folder);

} // namespace tintbox::cli
