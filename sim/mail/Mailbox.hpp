// Mailbox: one folder of an account's Maildir with its messages, newest first. Messages are
// listed on first use from the folder's file names and the header cache (only new or changed
// files are parsed) and kept until reload(); a file that cannot be parsed is left out with a
// one-line warning on stderr. Counts come from file names alone, and a message can be found by
// its identifier without listing. Runtime selectors: displayName, account, unreadCount.
//   for (const auto& message : account->inbox()->messages()) ... message->subject() ...
#pragma once

#include "platform/objc/objc.hpp"
#include "sim/mail/maildir.hpp"

#include <deque>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class MailAccount;
class MailMessage;

class Mailbox : public NSObject {
public:
    static Class registerRuntimeClass();

    Mailbox() = default;
    Mailbox(MailAccount* account, std::string name, std::filesystem::path folder);

    // "INBOX", or the Maildir++ name with "/" between levels.
    std::string displayName() const { return m_name; }
    MailAccount* account() const { return m_account.get(); }
    const std::filesystem::path& folder() const { return m_folder; }

    // Newest first by date (then by identifier); read from disk on first use.
    const std::vector<objc::Ref<MailMessage>>& messages();
    // From the file names (Maildir flag S), without reading any message.
    NSInteger unreadCount();
    // The message with this identifier (or Maildir unique name); null when there is none. Unless
    // the mailbox is listed already, only the folder's file names are read.
    MailMessage* messageWithIdentifier(std::string_view identifier);
    // The message of a file of this folder known by its unique name (the cache's last file
    // name tried first); null when there is none.
    MailMessage* messageWithUniqueName(const std::string& uniqueName,
                                       const std::string& lastFileName = {});
    // Forgets the messages, so the next use reads the folder again.
    void reload();

    // A message of this mailbox now holds its headers; the oldest of those beyond a few
    // hundred forget theirs, so that what the mailbox holds is bounded by use, not by its size.
    void noteHeadersHeld(MailMessage* message);
    // Gives `wanted` and the listed messages after it that hold no headers theirs from the
    // cache, in one query: rows are filled in list order, so one read serves many rows. False
    // when `wanted` got nothing that way (not listed, not cached, or no preview cached yet).
    bool readSummariesFrom(MailMessage* wanted);

private:
    MailMessage* adopt(tintbox::sim::mail::MaildirFile file);

    objc::WeakRef<MailAccount> m_account;
    std::string m_name;
    std::filesystem::path m_folder;
    std::vector<objc::Ref<MailMessage>> m_messages;
    // Messages found without listing (open --message), reused when the mailbox is listed.
    std::vector<objc::Ref<MailMessage>> m_found;
    std::deque<objc::WeakRef<MailMessage>> m_holdingHeaders;
    std::size_t m_readAhead{0}; // where in m_messages the last read-ahead ended
    bool m_loaded{false};
};
