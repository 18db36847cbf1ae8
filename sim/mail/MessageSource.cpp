#include "sim/mail/MessageSource.hpp"

#include "sim/mail/MailMessage.hpp"
#include "sim/mail/Mailbox.hpp"

#include <algorithm>

Class MessageSource::registerRuntimeClass() {
    static const Class cls = objc::ClassBuilder<MessageSource>("MessageSource")
                                 .method<&MessageSource::sourceType>("sourceType")
                                 .method<&MessageSource::setSourceType>("setSourceType:");
    return cls;
}

Class MailboxSource::registerRuntimeClass() {
    MessageSource::registerRuntimeClass();
    static const Class cls = objc::ClassBuilder<MailboxSource, MessageSource>("MailboxSource");
    return cls;
}

Class ThreadedMiniMallSource::registerRuntimeClass() {
    MessageSource::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<ThreadedMiniMallSource, MessageSource>("ThreadedMiniMallSource");
    return cls;
}

objc::Ref<MessageSource> MessageSource::forMailboxes(std::vector<objc::Ref<NSObject>> mailboxes,
                                                     NSInteger sourceType) {
    objc::Ref<MessageSource> source;
    if (mailboxes.size() == 1) {
        MailboxSource::registerRuntimeClass();
        source = objc::make<MailboxSource>();
    } else {
        ThreadedMiniMallSource::registerRuntimeClass();
        source = objc::make<ThreadedMiniMallSource>();
    }
    source->m_mailboxes = std::move(mailboxes);
    source->m_sourceType = sourceType;
    return source;
}

std::vector<objc::Ref<NSObject>> MessageSource::listMessages() const {
    std::vector<MailMessage*> listed;
    for (const auto& object : m_mailboxes) {
        auto* mailbox = dynamic_cast<Mailbox*>(object.get());
        if (!mailbox)
            continue;
        for (const auto& message : mailbox->messages()) {
            const bool wanted = m_sourceType == kFlagged  ? message->isFlagged()
                                : m_sourceType == kUnread ? !message->isRead()
                                                          : true;
            if (wanted)
                listed.push_back(message.get());
        }
    }
    std::stable_sort(listed.begin(), listed.end(),
                     [](MailMessage* a, MailMessage* b) { return a->dateSent() > b->dateSent(); });
    return {listed.begin(), listed.end()};
}
