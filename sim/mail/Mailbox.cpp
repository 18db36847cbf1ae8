#include "sim/mail/Mailbox.hpp"

#include "sim/mail/MailAccount.hpp"
#include "sim/mail/MailMessage.hpp"
#include "sim/mail/maildir.hpp"
#include "sim/mail/mime_reader.hpp"

#include <algorithm>
#include <iostream>

Class Mailbox::registerRuntimeClass() {
    static const Class cls = objc::ClassBuilder<Mailbox>("Mailbox")
                                 .method<&Mailbox::displayName>("displayName")
                                 .method<&Mailbox::account>("account")
                                 .method<&Mailbox::unreadCount>("unreadCount");
    return cls;
}

Mailbox::Mailbox(MailAccount* account, std::string name, std::filesystem::path folder)
    : m_account(account), m_name(std::move(name)), m_folder(std::move(folder)) {}

const std::vector<objc::Ref<MailMessage>>& Mailbox::messages() {
    if (m_loaded)
        return m_messages;
    m_loaded = true;
    MailMessage::registerRuntimeClass();
    for (auto& file : tintbox::sim::mail::listMaildirFiles(m_folder)) {
        std::string error;
        auto headers = tintbox::sim::mail::readMessageHeaders(file.path, &error);
        if (!headers) {
            std::cerr << "tintbox: skipping " << error << '\n';
            continue;
        }
        m_messages.push_back(objc::make<MailMessage>(this, std::move(file), std::move(*headers)));
    }
    std::sort(m_messages.begin(), m_messages.end(), [](const auto& a, const auto& b) {
        if (a->dateSent() != b->dateSent())
            return a->dateSent() > b->dateSent();
        return a->file().uniqueName < b->file().uniqueName;
    });
    return m_messages;
}

NSInteger Mailbox::unreadCount() {
    const auto& all = messages();
    return std::count_if(all.begin(), all.end(), [](const auto& m) { return !m->isRead(); });
}

MailMessage* Mailbox::messageWithIdentifier(std::string_view identifier) {
    for (const auto& message : messages())
        if (message->messageIdentifier() == identifier || message->file().uniqueName == identifier)
            return message.get();
    return nullptr;
}

void Mailbox::reload() {
    m_messages.clear();
    m_loaded = false;
}
