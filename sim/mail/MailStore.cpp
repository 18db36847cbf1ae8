#include "sim/mail/MailStore.hpp"

#include "sim/mail/MessageBody.hpp"
#include "sim/mail/account_file.hpp"
#include "sim/mail/header_cache.hpp"
#include "sim/mail/maildir_move.hpp"

#include <iostream>
#include <memory>

namespace tintbox::sim::mail {
namespace {

std::unique_ptr<MailStore>& sharedStore() {
    static std::unique_ptr<MailStore> store;
    return store;
}

objc::Ref<MailAccount> makeAccount(const AccountEntry& entry, const std::filesystem::path& file) {
    const Class mailAccount = MailAccount::registerRuntimeClass();
    const Class cls = objc_getClass(entry.className);
    if (!class_isSubclassOfClass(cls, mailAccount)) {
        std::cerr << "tintbox: " << file.string() << ": account " << entry.displayName
                  << " has the class " << entry.className
                  << ", which is not MailAccount or a subclass; left out\n";
        return nullptr;
    }
    auto account = objc::dynamicCast<MailAccount>(class_createInstance(cls));
    account->configure(entry.displayName, resolveMaildir(entry.maildir));
    return account;
}

} // namespace

void registerMailModelClasses() {
    LocalAccount::registerRuntimeClass();
    Mailbox::registerRuntimeClass();
    MailMessage::registerRuntimeClass();
    MessageBody::registerRuntimeClass();
}

MailStore::MailStore(const std::filesystem::path& accountsFile) {
    registerMailModelClasses();
    AccountFileContents contents = readAccountFile(accountsFile);
    for (const std::string& warning : contents.warnings)
        std::cerr << "tintbox: " << warning << '\n';
    for (const AccountEntry& entry : contents.accounts)
        if (auto account = makeAccount(entry, accountsFile))
            m_accounts.push_back(std::move(account));
    // A move between two accounts' Maildirs keeps its journal in the target's; settling every
    // account's first means no account is read while another still holds a half-done move.
    std::vector<std::filesystem::path> folders;
    for (const auto& account : m_accounts)
        for (const auto& folder : listMaildirFolders(account->maildir()))
            folders.push_back(folder.path);
    recoverInterruptedMoves(folders);
}

MailStore& MailStore::shared() {
    if (!sharedStore())
        reloadShared();
    return *sharedStore();
}

void MailStore::reloadShared() {
    sharedStore() = std::make_unique<MailStore>(accountsFilePath());
}

MailAccount* MailStore::accountNamed(std::string_view displayName) const {
    for (const auto& account : m_accounts)
        if (account->displayName() == displayName)
            return account.get();
    return nullptr;
}

MailMessage* MailStore::messageWithIdentifier(std::string_view identifier) const {
    // The cache says where the identifier was last seen; the folder's names confirm it.
    if (auto location = HeaderCache::forProcess().locate(std::string(identifier))) {
        const auto folder = location->folder.lexically_normal();
        for (const auto& account : m_accounts)
            for (const auto& mailbox : account->mailboxes())
                if (mailbox->folder().lexically_normal() == folder)
                    if (MailMessage* message = mailbox->messageWithUniqueName(location->uniqueName,
                                                                              location->fileName))
                        return message;
    }
    for (const auto& account : m_accounts)
        for (const auto& mailbox : account->mailboxes())
            if (MailMessage* message = mailbox->messageWithIdentifier(identifier))
                return message;
    return nullptr;
}

} // namespace tintbox::sim::mail
