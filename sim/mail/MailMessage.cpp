#include "sim/mail/MailMessage.hpp"

#include "sim/mail/MailAccount.hpp"
#include "sim/mail/Mailbox.hpp"
#include "sim/mail/MessageBody.hpp"
#include "sim/mail/mailbox_listing.hpp"
#include "sim/mail/maildir_move.hpp"

#include <chrono>
#include <iostream>

namespace {

constexpr double kReferenceDateOffset = 978307200.0;

double sinceReferenceDate(std::int64_t nanoseconds) {
    return static_cast<double>(nanoseconds) / 1e9 - kReferenceDateOffset;
}

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
                                 .method<&MailMessage::dateSent>("dateSent")
                                 .method<&MailMessage::previewText>("previewText");
    return cls;
}

MailMessage::MailMessage(Mailbox* mailbox, tintbox::sim::mail::MaildirFile file,
                         tintbox::sim::mail::MessageHeaders headers)
    : m_mailbox(mailbox), m_file(tintbox::sim::mail::StoredMaildirFile::of(file)),
      m_keepsSummary(true) {
    m_dateSent = headers.dateSent ? *headers.dateSent : modificationTime(file.path);
    m_summary = std::make_unique<tintbox::sim::mail::MessageSummary>();
    m_summary->headers = std::move(headers);
}

MailMessage::MailMessage(Mailbox* mailbox, tintbox::sim::mail::StoredMaildirFile file,
                         std::optional<double> dateSent, std::int64_t modifiedNanoseconds,
                         std::string identifier)
    : m_mailbox(mailbox), m_file(std::move(file)), m_identifier(std::move(identifier)) {
    m_dateSent = dateSent ? *dateSent : sinceReferenceDate(modifiedNanoseconds);
}

const tintbox::sim::mail::MessageSummary& MailMessage::summary() const {
    namespace mail = tintbox::sim::mail;
    if (m_summary)
        return *m_summary;
    Mailbox* mailbox = m_mailbox.get();
    std::optional<mail::MessageSummary> read;
    if (mailbox && mailbox->readSummariesFrom(const_cast<MailMessage*>(this)) && m_summary)
        return *m_summary;
    if (mailbox) {
        read =
            mail::summaryOfFile(mail::HeaderCache::forProcess(), mailbox->folder(), m_file.file());
    } else if (auto contents = mail::readMessageContents(m_file.path)) {
        read = mail::MessageSummary{std::move(contents->headers), mail::previewOf(contents->body)};
    }
    m_summary =
        std::make_unique<mail::MessageSummary>(read ? std::move(*read) : mail::MessageSummary{});
    if (mailbox)
        mailbox->noteHeadersHeld(const_cast<MailMessage*>(this));
    return *m_summary;
}

std::string MailMessage::previewText() const {
    const auto& held = summary();
    if (held.preview)
        return *held.preview;
    // Known headers without a preview (a message made from headers alone): read the body.
    std::string error;
    m_summary->preview =
        tintbox::sim::mail::previewOf(tintbox::sim::mail::readPreferredBody(m_file.path, &error));
    return *m_summary->preview;
}

void MailMessage::holdSummary(tintbox::sim::mail::MessageSummary summary) {
    m_summary = std::make_unique<tintbox::sim::mail::MessageSummary>(std::move(summary));
}

void MailMessage::forgetHeaders() {
    if (!m_keepsSummary)
        m_summary.reset();
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
    if (m_identifier.empty())
        m_identifier = tintbox::sim::mail::messageIdentifierFor(m_file.uniqueName);
    return m_identifier;
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
    auto renamed = tintbox::sim::mail::changeMaildirFlags(m_file.file(), flags, error);
    if (!renamed)
        return false;
    m_file = tintbox::sim::mail::StoredMaildirFile::of(*renamed);
    return true;
}

bool MailMessage::moveToMailbox(Mailbox& target, std::string* error) {
    auto moved = tintbox::sim::mail::moveMaildirFile(m_file.file(), target.folder(), error);
    if (!moved)
        return false;
    // The source mailbox may hold the last reference to this message; it forgets it below.
    objc::Ref<MailMessage> keep(this);
    m_file = tintbox::sim::mail::StoredMaildirFile::of(*moved);
    if (Mailbox* source = m_mailbox.get())
        source->reload();
    target.reload();
    m_mailbox = &target;
    return true;
}
