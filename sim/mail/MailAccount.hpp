// MailAccount and LocalAccount, the host's account classes: a display name and the account's
// mailboxes, read from its Maildir on first use. The class method activeAccounts answers the
// accounts of the process's store (MailStore::shared()), in the accounts file's order.
//   auto accounts = objc::msgSendClass<std::vector<objc::Ref<NSObject>>()>(
//       objc_getClass("MailAccount"), sel_registerName("activeAccounts"));
#pragma once

#include "platform/objc/objc.hpp"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class Mailbox;

class MailAccount : public NSObject {
public:
    // Registers MailAccount and its selectors once; later calls only return the class.
    static Class registerRuntimeClass();

    // The accounts of the process's store, local ones included.
    static std::vector<objc::Ref<NSObject>> activeAccounts();

    // Sets what the accounts file says of this account; its mailboxes are listed again.
    void configure(std::string displayName, std::filesystem::path maildir);

    std::string displayName() const { return m_displayName; }
    const std::filesystem::path& maildir() const { return m_maildir; }

    // INBOX first, then the Maildir's subfolders by name; listed on first use.
    const std::vector<objc::Ref<Mailbox>>& mailboxes();
    // The mailbox of that name ("INBOX", "Projects", "A/B"); null when there is none.
    Mailbox* mailboxNamed(std::string_view name);
    Mailbox* inbox() { return mailboxNamed("INBOX"); }
    // Forgets the listed mailboxes and their messages, so the next use reads the disk again.
    void reloadMailboxes();

private:
    std::string m_displayName;
    std::filesystem::path m_maildir;
    std::vector<objc::Ref<Mailbox>> m_mailboxes;
    bool m_mailboxesListed{false};
};

// An account whose mail stays on the device ("On My iPhone"); the colouring leaves it out.
class LocalAccount : public MailAccount {
public:
    static Class registerRuntimeClass();
};
