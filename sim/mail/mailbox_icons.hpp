// The mailbox list's icons, one per kind of mailbox as the app draws them: a tray for inboxes,
// a sent arrow, a draft page, an archive box, a bin, and a folder for the rest. The kind comes
// from the mailbox's name as the common servers name their special folders.
#pragma once

#include "platform/objc/objc.hpp"

#include <string_view>

class UIImage;

namespace tintbox::sim::mail {

enum class MailboxKind { Inbox, Sent, Drafts, Archive, Trash, Other };

// Case-insensitive: "INBOX", "Sent", "Sent Messages", "Drafts", "Archive", "Trash", "Deleted
// Messages", "[Gmail]/Sent Mail" (the last path component counts).
MailboxKind mailboxKindOfName(std::string_view name);

// 22 x 18 points, in the platform's tint; made once per kind.
objc::Ref<UIImage> mailboxIcon(MailboxKind kind);

} // namespace tintbox::sim::mail
