// MailboxTableCell: one row of the mailbox list, as the host names it: an icon, the mailbox's
// title, a subtitle (the account's name) and the unread count in a grey pill. The views are the
// host's instance variables _titleLabel, _subtitleLabel, _unreadCountLabel and _iconImageView,
// readable by name; _updateUnreadCount (sent through the runtime) shows the count.
#pragma once

#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UITableViewCell.hpp"

#include <string>

class MailboxTableCell : public UITableViewCell {
public:
    static Class registerRuntimeClass();
    static constexpr const char* kReuseIdentifier = "MailboxTableCell";

    MailboxTableCell();

    MailboxTableCell* initWithStyle(NSInteger style, std::string reuseIdentifier);
    // Sets what the row shows; the caller then sends _updateUnreadCount.
    void setMailboxRow(std::string title, std::string subtitle, NSInteger unreadCount);
    NSInteger unreadCount() const { return m_unreadCount; }
    void updateUnreadCount();
    void layoutSubviews();

private:
    objc::Ref<UILabel> m_titleLabel;
    objc::Ref<UILabel> m_subtitleLabel;
    objc::Ref<UILabel> m_unreadCountLabel;
    objc::Ref<UIImageView> m_iconImageView;
    NSInteger m_unreadCount{0};
};
