// The sources that a message list lists from, as the host names them: a source holds a set of
// mailboxes and a source type (0 every message, 2 flagged ones, 3 unread ones) and lists their
// messages newest first. One mailbox is a MailboxSource; several (All Inboxes) are combined in a
// ThreadedMiniMallSource, the class the mail extension tells apart with isKindOfClass:.
//   auto source = MessageSource::forMailboxes({inbox}, MessageSource::kUnread);
//   for (const auto& message : source->listMessages()) ...
#pragma once

#include "platform/objc/objc.hpp"

#include <vector>

class MessageSource : public NSObject {
public:
    static Class registerRuntimeClass();

    static constexpr NSInteger kAll = 0;
    static constexpr NSInteger kFlagged = 2;
    static constexpr NSInteger kUnread = 3;

    // A MailboxSource for one mailbox, a ThreadedMiniMallSource for any other number.
    static objc::Ref<MessageSource> forMailboxes(std::vector<objc::Ref<NSObject>> mailboxes,
                                                 NSInteger sourceType);

    const std::vector<objc::Ref<NSObject>>& mailboxes() const { return m_mailboxes; }
    NSInteger sourceType() const { return m_sourceType; }
    void setSourceType(NSInteger type) { m_sourceType = type; }

    // The messages of the mailboxes that the type lets through, newest first; an unknown type
    // lists every message, as type 0 does.
    std::vector<objc::Ref<NSObject>> listMessages() const;

private:
    std::vector<objc::Ref<NSObject>> m_mailboxes;
    NSInteger m_sourceType{kAll};
};

class MailboxSource : public MessageSource {
public:
    static Class registerRuntimeClass();
};

class ThreadedMiniMallSource : public MessageSource {
public:
    static Class registerRuntimeClass();
};
