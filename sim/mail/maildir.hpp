// Maildir and Maildir++ folders on disk. An account's Maildir root is the mailbox "INBOX" and
// each subfolder ".Name" is the mailbox "Name" (".A.B" is "A/B"; names are decoded from IMAP's
// modified UTF-7). A message is one file in cur/ or new/ whose name is a unique name, then ":2,"
// and the flag letters (S seen, F flagged).
//   for (const auto& folder : listMaildirFolders(root))
//       for (const auto& file : listMaildirFiles(folder.path)) ... file.isSeen() ...
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintbox::sim::mail {

inline constexpr std::string_view kInboxName = "INBOX";

struct MaildirFolder {
    std::string name; // "INBOX", "Projects", "Archive/2025"
    std::filesystem::path path;
};

enum class MaildirLayout {
    MaildirPlusPlus, // the root is INBOX, mailboxes are .Name folders in it
    PlainFolders,    // mbsync and OfflineIMAP: INBOX/, Archive/, Lists/dev/ below the root
};

// The layout of an account's root, told by where its cur/ and new/ folders are: a root with
// its own is Maildir++, one whose mail lies only in subfolders has plain folders.
MaildirLayout maildirLayoutOf(const std::filesystem::path& root);

// The mailboxes of a Maildir root: INBOX first, then the others by name. In Maildir++ the root
// counts as INBOX even when it has no cur/ yet, and subfolders need a cur/ or new/ folder; in
// the plain layout INBOX is the INBOX folder (any case), and every folder with cur/ or new/ is
// a mailbox named by its path ("Lists/dev").
std::vector<MaildirFolder> listMaildirFolders(const std::filesystem::path& root);

struct MaildirFile {
    std::filesystem::path path;
    std::string uniqueName; // the file name before ":2,", kept by flag changes and moves
    std::string flags;      // the letters after ":2,"
    bool inNew{false};      // delivered but not yet seen by a mail reader

    bool isSeen() const { return hasFlag('S'); }
    bool isFlagged() const { return hasFlag('F'); }
    bool hasFlag(char flag) const { return flags.find(flag) != std::string::npos; }
};

// A message file as the list of a big mailbox holds it: the path as one string, without the
// list of components that a filesystem::path keeps (a few hundred bytes per message).
struct StoredMaildirFile {
    std::string path;
    std::string uniqueName;
    std::string flags;
    bool inNew{false};

    static StoredMaildirFile of(const MaildirFile& file);
    MaildirFile file() const { return {path, uniqueName, flags, inNew}; }
    // The file's name within its folder: "cur/NAME:2,S" or "new/NAME".
    std::string relativeName() const;
    bool isSeen() const { return flags.find('S') != std::string::npos; }
    bool isFlagged() const { return flags.find('F') != std::string::npos; }
};

// The name parts of a message file at path.
MaildirFile maildirFileAt(const std::filesystem::path& path, bool inNew);

// The message files of one mailbox folder (cur/ and new/; hidden files and folders skipped), in
// no particular order.
std::vector<MaildirFile> listMaildirFiles(const std::filesystem::path& folder);
// The same files, held compactly (read with readdir, no path objects).
std::vector<StoredMaildirFile> listStoredMaildirFiles(const std::filesystem::path& folder);

// How many message files of the folder (cur/ and new/) lack the Seen flag, from their names
// alone, without building a list.
std::size_t countUnseenMaildirFiles(const std::filesystem::path& folder);

// Gives the message file exactly these flags by renaming it into its mailbox's cur/ (a message
// in new/ moves to cur/, as a reader that has seen it does); the unique name stays. rename is
// atomic, so the message is at its old name or its new one, never lost or doubled. The letters
// are kept in ASCII order, as Maildir asks. nullopt with *error set (one line) on failure.
std::optional<MaildirFile> changeMaildirFlags(const MaildirFile& file, std::string_view flags,
                                              std::string* error = nullptr);

// rename that never replaces: 0, or the errno (EEXIST when `to` exists, EXDEV across file
// systems). Falls back to link and unlink where the file system lacks RENAME_NOREPLACE.
int renameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// The short stable identifier of a message: 12 hexadecimal digits derived from its unique name,
// so that flag changes and moves keep it.
std::string messageIdentifierFor(std::string_view uniqueName);

} // namespace tintbox::sim::mail
