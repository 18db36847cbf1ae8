#include "sim/mail/MailAccount.hpp"

#include "sim/mail/MailStore.hpp"
#include "sim/mail/Mailbox.hpp"
#include "sim/mail/maildir.hpp"
#include "sim/mail/maildir_move.hpp"

#include <iostream>

Class MailAccount::registerRuntimeClass() {
    static const Class cls = objc::ClassBuilder<MailAccount>("MailAccount")
                                 .classMethod(
                                     "activeAccounts", +[](Class, SEL) { return activeAccounts(); })
                                 .method<&MailAccount::displayName>("displayName");
    return cls;
}

Class LocalAccount::registerRuntimeClass() {
    MailAccount::registerRuntimeClass();
    static const Class cls = objc::ClassBuilder<LocalAccount, MailAccount>("LocalAccount");
    return cls;
}

std::vector<objc::Ref<NSObject>> MailAccount::activeAccounts() {
    const auto& accounts = tintbox::sim::mail::MailStore::shared().accounts();
    return {accounts.begin(), accounts.end()};
}

void MailAccount::configure(std::string displayName, std::filesystem::path maildir) {
    m_displayName = std::move(displayName);
    m_maildir = std::move(maildir);
    reloadMailboxes();
}

const std::vector<objc::Ref<Mailbox>>& MailAccount::mailboxes() {
    if (m_mailboxesListed)
        return m_mailboxes;
    m_mailboxesListed = true;
    std::error_code ignored;
    if (!std::filesystem::is_directory(m_maildir, ignored))
        std::cerr << "tintbox: the Maildir " << m_maildir.string() << " of account "
                  << m_displayName << " is not a folder; it has no mail\n";
    Mailbox::registerRuntimeClass();
    const auto folders = tintbox::sim::mail::listMaildirFolders(m_maildir);
    // A move that a crash cut short is settled before any mailbox is read, so that no reader
    // of this app sees its message twice.
    std::vector<std::filesystem::path> paths;
    for (const auto& folder : folders)
        paths.push_back(folder.path);
    tintbox::sim::mail::recoverInterruptedMoves(paths);
    for (const auto& folder : folders)
        m_mailboxes.push_back(objc::make<Mailbox>(this, folder.name, folder.path));
    return m_mailboxes;
}

Mailbox* MailAccount::mailboxNamed(std::string_view name) {
    for (const auto& mailbox : mailboxes())
        if (mailbox->displayName() == name)
            return mailbox.get();
    return nullptr;
}

void MailAccount::reloadMailboxes() {
    m_mailboxes.clear();
    m_mailboxesListed = false;
}
