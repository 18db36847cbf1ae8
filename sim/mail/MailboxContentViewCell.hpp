// MailboxContentViewCell: one row of the message list, as the host names it. A row shows an
// unread dot, the sender in bold, the date, a flag, and the subject followed by a preview of
// the body. Made and filled only through the runtime (initWithStyle:reuseIdentifier:,
// setMessage:threaded:, layoutSubviews), so the mail extension's replacements run there.
// A new cell is 320 x 44 points, like the platform's cells.
#pragma once

#include "platform/uikit/UITableViewCell.hpp"
#include "sim/mail/message_display.hpp"

#include <string>

class MailboxContentViewCell : public UITableViewCell {
public:
    static Class registerRuntimeClass();
    static constexpr const char* kReuseIdentifier = "MailboxContentViewCell";

    MailboxContentViewCell();

    MailboxContentViewCell* initWithStyle(NSInteger style, std::string reuseIdentifier);
    // Shows the message's fields; `threaded` is accepted and not used (no conversations here).
    void setMessage(id message, bool threaded);
    void layoutSubviews();

    // The message shown, nil before the first setMessage:threaded:.
    NSObject* message() const { return m_message.get(); }
    // Its fields as the row shows them, read when it was set.
    const tintbox::sim::mail::MessageDisplay& shown() const { return m_shown; }
    // The date as the row shows it ("12 Mar 2025").
    std::string shownDate() const;

private:
    objc::Ref<NSObject> m_message;
    tintbox::sim::mail::MessageDisplay m_shown;
    objc::Ref<UIView> m_unreadDot;
    objc::Ref<UILabel> m_senderLabel;
    objc::Ref<UILabel> m_dateLabel;
    objc::Ref<UILabel> m_flagLabel;
    objc::Ref<UILabel> m_subjectLabel;
    objc::Ref<UILabel> m_snippetLabel;
};
