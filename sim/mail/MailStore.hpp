// MailStore: the Mail app's accounts, made from the accounts file (account_file.hpp), with
// look-ups across them. The process's store, MailStore::shared(), reads the device root's file
// on first use; it is what MailAccount's activeAccounts answers.
//   auto& store = tintbox::sim::mail::MailStore::shared();
//   for (const auto& account : store.accounts()) ... account->inbox()->unreadCount() ...
//   MailMessage* message = store.messageWithIdentifier("3f2a9c1d0b7e");
#pragma once

#include "sim/mail/MailAccount.hpp"
#include "sim/mail/MailMessage.hpp"
#include "sim/mail/Mailbox.hpp"

#include <filesystem>
#include <string_view>
#include <vector>

namespace tintbox::sim::mail {

// Registers the model's runtime classes (accounts, mailbox, message, body); idempotent.
void registerMailModelClasses();

class MailStore {
public:
    // The accounts of the file; its warnings go to stderr, one line each.
    explicit MailStore(const std::filesystem::path& accountsFile);

    // The store of the device root's accounts file, read on first use.
    static MailStore& shared();
    // Reads the device root's accounts file again (the root may have changed).
    static void reloadShared();

    const std::vector<objc::Ref<MailAccount>>& accounts() const { return m_accounts; }
    MailAccount* accountNamed(std::string_view displayName) const;
    // The message with this identifier (or Maildir unique name) in any mailbox of any account.
    MailMessage* messageWithIdentifier(std::string_view identifier) const;

private:
    std::vector<objc::Ref<MailAccount>> m_accounts;
};

} // namespace tintbox::sim::mail
