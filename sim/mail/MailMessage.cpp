#include "sim/mail/MailMessage.hpp"

#include "sim/mail/MailAccount.hpp"
#include "sim/mail/Mailbox.hpp"
#include "sim/mail/MessageBody.hpp"
#include "sim/mail/maildir_move.hpp"

#include <chrono>
#include <iostream>

namespace {

constexpr double kReferenceDateOffset = 978307200.0;

// The file's modification time as seconds since 2001-01-01; 0 when it cannot be read.
double modificationTime(const std::filesystem::path& path) {
    std::error_code error;
    const auto written = std::filesystem::last_write_time(path, error);
    if (error)
        return 0.0;
    const auto system = std::chrono::file_clock::to_sys(written);
    return std::chrono::duration<double>(system.time_since_epoch()).count() - kReferenceDateOffset;
}

} // namespace

Class MailMessage::registerRuntimeClass() {
    static const Class cls = objc::ClassBuilder<MailMessage>("MailMessage")
                                 .method<&MailMessage::subject>("subject")
                                 .method<&MailMessage::senders>("senders")
                                 .method<&MailMessage::to>("to")
                                 .method<&MailMessage::cc>("cc")
                                 .method<&MailMessage::account>("account")
                                 .method<&MailMessage::messageIDHeader>("messageIDHeader")
                                 .method<&MailMessage::messageBody>("messageBody")
                                 .method<&MailMessage::messageIdentifier>("messageIdentifier")
                                 .method<&MailMessage::isRead>("isRead")
                                 .method<&MailMessage::isFlagged>("isFlagged")
                                 .method<&MailMessage::dateSent>("dateSent");
    return cls;
}

MailMessage::MailMessage(Mailbox* mailbox, tintbox::sim::mail::MaildirFile file,
                         tintbox::sim::mail::MessageHeaders headers)
    : m_mailbox(mailbox), m_file(std::move(file)), m_headers(std::move(headers)) {
    m_dateSent = m_headers.dateSent ? *m_headers.dateSent : modificationTime(m_file.path);
}

MailAccount* MailMessage::account() const {
    Mailbox* mailbox = m_mailbox.get();
    return mailbox ? mailbox->account() : nullptr;
}

MessageBody* MailMessage::messageBody() {
    if (m_bodyRead)
        return m_body.get();
    m_bodyRead = true;
    std::string error;
    if (auto body = tintbox::sim::mail::readPreferredBody(m_file.path, &error)) {
        MessageBody::registerRuntimeClass();
        m_body = objc::make<MessageBody>(
            objc::make<MessageBodyPart>(std::move(body->text), body->isHTML));
    } else if (!error.empty()) {
        std::cerr << "tintbox: no body: " << error << '\n';
    }
    return m_body.get();
}

std::string MailMessage::messageIdentifier() const {
    return tintbox::sim::mail::messageIdentifierFor(m_file.uniqueName);
}

bool MailMessage::setRead(bool read, std::string* error) {
    return setFlag('S', read, error);
}

bool MailMessage::setFlagged(bool flagged, std::string* error) {
    return setFlag('F', flagged, error);
}

bool MailMessage::setFlag(char flag, bool on, std::string* error) {
    std::string flags = m_file.flags;
    std::erase(flags, flag);
    if (on)
        flags += flag;
    auto renamed = tintbox::sim::mail::changeMaildirFlags(m_file, flags, error);
    if (!renamed)
        return false;
    m_file = std::move(*renamed);
    return true;
}

bool MailMessage::moveToMailbox(Mailbox& target, std::string* error) {
    auto moved = tintbox::sim::mail::moveMaildirFile(m_file, target.folder(), error);
    if (!moved)
        return false;
    // The source mailbox may hold the last reference to this message; it forgets it below.
    objc::Ref<MailMessage> keep(this);
    m_file = std::move(*moved);
    if (Mailbox* source = m_mailbox.get())
        source->reload();
    target.reload();
    m_mailbox = &target;
    return true;
}
