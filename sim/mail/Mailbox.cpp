#include "sim/mail/Mailbox.hpp"

#include "sim/mail/MailAccount.hpp"
#include "sim/mail/MailMessage.hpp"
#include "sim/mail/header_cache.hpp"
#include "sim/mail/mailbox_listing.hpp"
#include "sim/mail/maildir.hpp"

#include <algorithm>
#include <sys/stat.h>
#include <unordered_map>

namespace {

// Enough for every screen and a scroll's worth around it.
constexpr std::size_t kMessagesHoldingHeaders = 512;

std::int64_t modifiedNanoseconds(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return 0;
    return static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 +
           status.st_mtim.tv_nsec;
}

} // namespace

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
    namespace mail = tintbox::sim::mail;
    if (m_loaded)
        return m_messages;
    m_loaded = true;
    MailMessage::registerRuntimeClass();
    std::unordered_map<std::string, objc::Ref<MailMessage>> found;
    for (auto& message : m_found)
        found.emplace(message->uniqueName(), std::move(message));
    m_found.clear();
    auto listed = mail::listMailboxMessages(mail::HeaderCache::forProcess(), m_folder);
    m_messages.reserve(listed.size());
    for (auto& entry : listed) {
        if (auto known = found.find(entry.file.uniqueName); known != found.end()) {
            m_messages.push_back(std::move(known->second));
            found.erase(known);
            continue;
        }
        m_messages.push_back(objc::make<MailMessage>(this, std::move(entry.file), entry.dateSent,
                                                     entry.modified, std::move(entry.identifier)));
    }
    std::sort(m_messages.begin(), m_messages.end(), [](const auto& a, const auto& b) {
        if (a->dateSent() != b->dateSent())
            return a->dateSent() > b->dateSent();
        return a->uniqueName() < b->uniqueName();
    });
    return m_messages;
}

NSInteger Mailbox::unreadCount() {
    if (m_loaded)
        return std::count_if(m_messages.begin(), m_messages.end(),
                             [](const auto& m) { return !m->isRead(); });
    return static_cast<NSInteger>(tintbox::sim::mail::countUnseenMaildirFiles(m_folder));
}

MailMessage* Mailbox::messageWithIdentifier(std::string_view identifier) {
    if (m_loaded) {
        for (const auto& message : m_messages)
            if (message->messageIdentifier() == identifier || message->uniqueName() == identifier)
                return message.get();
        return nullptr;
    }
    for (const auto& message : m_found)
        if (message->messageIdentifier() == identifier || message->uniqueName() == identifier)
            return message.get();
    for (const auto& file : tintbox::sim::mail::listStoredMaildirFiles(m_folder))
        if (file.uniqueName == identifier ||
            tintbox::sim::mail::messageIdentifierFor(file.uniqueName) == identifier)
            return adopt(file.file());
    return nullptr;
}

MailMessage* Mailbox::messageWithUniqueName(const std::string& uniqueName,
                                            const std::string& lastFileName) {
    namespace mail = tintbox::sim::mail;
    if (m_loaded) {
        for (const auto& message : m_messages)
            if (message->uniqueName() == uniqueName)
                return message.get();
        return nullptr;
    }
    for (const auto& message : m_found)
        if (message->uniqueName() == uniqueName)
            return message.get();
    if (!lastFileName.empty()) {
        const auto path = m_folder / lastFileName;
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) {
            auto file = mail::maildirFileAt(path, lastFileName.starts_with("new/"));
            if (file.uniqueName == uniqueName)
                return adopt(std::move(file));
        }
    }
    // Its flags changed since: the folder's names say where it is now.
    for (const auto& file : mail::listStoredMaildirFiles(m_folder))
        if (file.uniqueName == uniqueName)
            return adopt(file.file());
    return nullptr;
}

MailMessage* Mailbox::adopt(tintbox::sim::mail::MaildirFile file) {
    MailMessage::registerRuntimeClass();
    namespace mail = tintbox::sim::mail;
    const std::int64_t modified = modifiedNanoseconds(file.path);
    // The date needs the headers: the cache has them (checked against the file), or the file
    // is parsed and cached.
    const auto summary = mail::summaryOfFile(mail::HeaderCache::forProcess(), m_folder, file, true);
    auto message =
        objc::make<MailMessage>(this, mail::StoredMaildirFile::of(file),
                                summary ? summary->headers.dateSent : std::nullopt, modified);
    m_found.push_back(message);
    return message.get();
}

bool Mailbox::readSummariesFrom(MailMessage* wanted) {
    namespace mail = tintbox::sim::mail;
    if (!m_loaded)
        return false;
    std::size_t start = m_readAhead;
    if (start >= m_messages.size() || m_messages[start].get() != wanted) {
        // Not where the last read ended: a jump (or a row filled out of order).
        const auto found =
            std::find_if(m_messages.begin(), m_messages.end(),
                         [&](const auto& message) { return message.get() == wanted; });
        if (found == m_messages.end())
            return false;
        start = static_cast<std::size_t>(found - m_messages.begin());
    }
    std::vector<MailMessage*> batch;
    std::vector<std::string> names;
    std::size_t next = start;
    for (; next < m_messages.size() && batch.size() < mail::HeaderCache::kSummariesPerQuery;
         ++next) {
        MailMessage* message = m_messages[next].get();
        if (message->holdsHeaders())
            continue;
        batch.push_back(message);
        names.push_back(message->uniqueName());
    }
    m_readAhead = next;
    auto summaries = mail::HeaderCache::forProcess().summariesOf(m_folder, names);
    bool served = false;
    for (std::size_t i = 0; i < batch.size(); ++i) {
        // Without a cached preview the message reads its own (and stores it).
        if (!summaries[i] || !summaries[i]->preview)
            continue;
        batch[i]->holdSummary(std::move(*summaries[i]));
        noteHeadersHeld(batch[i]);
        served = served || batch[i] == wanted;
    }
    return served;
}

void Mailbox::reload() {
    m_readAhead = 0;
    m_messages.clear();
    m_found.clear();
    m_holdingHeaders.clear();
    m_loaded = false;
}

void Mailbox::noteHeadersHeld(MailMessage* message) {
    m_holdingHeaders.emplace_back(message);
    while (m_holdingHeaders.size() > kMessagesHoldingHeaders) {
        objc::Ref<MailMessage> oldest = m_holdingHeaders.front().lock();
        m_holdingHeaders.pop_front();
        if (oldest && oldest.get() != message)
            oldest->forgetHeaders();
    }
}
