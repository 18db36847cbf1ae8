// MailMessage: one message of a mailbox, with the host's selectors that the mail extension
// calls (subject, senders, to, cc, account, messageIDHeader, messageBody) and the app's own
// (messageIdentifier, isRead, isFlagged, dateSent, previewText). A listed message knows its file
// and date; its headers and preview come from the header cache when first asked for (its
// mailbox keeps those of the last few hundred messages read); the body is read from the file
// only when asked for.
//   auto subject = objc::msgSend<std::optional<std::string>()>(message,
//   sel_registerName("subject"));
#pragma once

#include "platform/objc/objc.hpp"
#include "sim/mail/header_cache.hpp"
#include "sim/mail/maildir.hpp"
#include "sim/mail/mime_reader.hpp"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class MailAccount;
class Mailbox;
class MessageBody;

class MailMessage : public NSObject {
public:
    static Class registerRuntimeClass();

    MailMessage() = default;
    // A message whose headers are known (they are kept).
    MailMessage(Mailbox* mailbox, tintbox::sim::mail::MaildirFile file,
                tintbox::sim::mail::MessageHeaders headers);
    // A listed message: headers and preview are read from the cache when first asked for.
    // The identifier, when the cache knew it, spares working it out again.
    MailMessage(Mailbox* mailbox, tintbox::sim::mail::StoredMaildirFile file,
                std::optional<double> dateSent, std::int64_t modifiedNanoseconds,
                std::string identifier = {});

    std::optional<std::string> subject() const { return summary().headers.subject; }
    std::optional<std::vector<std::string>> senders() const { return summary().headers.senders; }
    std::optional<std::vector<std::string>> to() const { return summary().headers.to; }
    std::optional<std::vector<std::string>> cc() const { return summary().headers.cc; }
    std::optional<std::string> messageIDHeader() const { return summary().headers.messageIDHeader; }
    // The body's text folded to one line, at most kPreviewCharacters characters; empty
    // without a text part.
    std::string previewText() const;
    // The account of the message's mailbox (a MailAccount or LocalAccount); null once it is gone.
    MailAccount* account() const;
    Mailbox* mailbox() const { return m_mailbox.get(); }
    // The body, read on first use and kept by the message; null when the message has no text.
    MessageBody* messageBody();

    std::string messageIdentifier() const;
    bool isRead() const { return m_file.isSeen(); }
    bool isFlagged() const { return m_file.isFlagged(); }
    // Seconds since 2001-01-01: the Date header, else the file's modification time.
    double dateSent() const { return m_dateSent; }

    // Mark the message read or unread, flagged or not, on disk (Maildir flags S and F); false
    // with *error set when the file could not be renamed, and then nothing changed.
    bool setRead(bool read, std::string* error = nullptr);
    bool setFlagged(bool flagged, std::string* error = nullptr);
    // Moves the message's file into the target mailbox (Maildir cur/, same unique name and
    // flags); the message then belongs to the target and both mailboxes read their folders
    // again on next use. false with *error set when nothing moved.
    bool moveToMailbox(Mailbox& target, std::string* error = nullptr);

    tintbox::sim::mail::MaildirFile file() const { return m_file.file(); }
    const std::string& uniqueName() const { return m_file.uniqueName; }
    tintbox::sim::mail::MessageHeaders headers() const { return summary().headers; }

    // Whether headers and preview are held now; forgetHeaders drops them (they are read again
    // when next asked for). Mailboxes use these to bound what their messages hold.
    bool holdsHeaders() const { return m_summary != nullptr; }
    void forgetHeaders();
    // Headers and preview read for it by its mailbox (several messages in one cache query).
    void holdSummary(tintbox::sim::mail::MessageSummary summary);

private:
    bool setFlag(char flag, bool on, std::string* error);
    const tintbox::sim::mail::MessageSummary& summary() const;

    objc::WeakRef<Mailbox> m_mailbox;
    tintbox::sim::mail::StoredMaildirFile m_file;
    mutable std::unique_ptr<tintbox::sim::mail::MessageSummary> m_summary;
    bool m_keepsSummary{false};
    double m_dateSent{0.0};
    mutable std::string m_identifier; // of the unique name, which no move or flag changes
    objc::Ref<MessageBody> m_body;
    bool m_bodyRead{false};
};
