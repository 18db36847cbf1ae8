// Mailbox: one folder of an account's Maildir with its messages, newest first. Messages are
// read on first use and kept until reload(); a file that cannot be parsed is left out with a
// one-line warning on stderr. Runtime selectors: displayName, account, unreadCount.
//   for (const auto& message : account->inbox()->messages()) ... message->subject() ...
#pragma once

#include "platform/objc/objc.hpp"

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
    NSInteger unreadCount();
    // The message with this identifier (or Maildir unique name); null when there is none.
    MailMessage* messageWithIdentifier(std::string_view identifier);
    // Forgets the messages, so the next use reads the folder again.
    void reload();

private:
    objc::WeakRef<MailAccount> m_account;
    std::string m_name;
    std::filesystem::path m_folder;
    std::vector<objc::Ref<MailMessage>> m_messages;
    bool m_loaded{false};
};
