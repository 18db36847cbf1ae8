#include "sim/mail/MailboxTableCell.hpp"

#include "platform/quartz/ui_graphics.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"
#include "platform/uikit/UIImage.hpp"
#include "sim/mail/mailbox_icons.hpp"

#include <algorithm>
#include <initializer_list>

namespace {

constexpr CGFloat kIconLeft = 20;
constexpr CGSize kIconSize{22, 18};
constexpr CGFloat kTextLeft = 52;
constexpr CGFloat kRightMargin = 14;
constexpr CGFloat kPillHeight = 20;

objc::Ref<UIColor> pillGrey() {
    return UIColor::colorWithWhite(0.85, 1);
}

objc::Ref<UILabel> label(double size, bool bold, objc::Ref<UIColor> colour) {
    auto made = objc::make<UILabel>();
    made->setFont(bold ? UIFont::boldSystemFontOfSize(size).get()
                       : UIFont::systemFontOfSize(size).get());
    made->setTextColor(colour.get());
    made->setUserInteractionEnabled(false);
    made->setClipsToBounds(true);
    return made;
}

} // namespace

Class MailboxTableCell::registerRuntimeClass() {
    UITableViewCell::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<MailboxTableCell, UITableViewCell>("MailboxTableCell")
            .method<&MailboxTableCell::initWithStyle>("initWithStyle:reuseIdentifier:")
            .method<&MailboxTableCell::updateUnreadCount>("_updateUnreadCount")
            .method<&MailboxTableCell::layoutSubviews>("layoutSubviews")
            .ivar<&MailboxTableCell::m_titleLabel>("_titleLabel")
            .ivar<&MailboxTableCell::m_subtitleLabel>("_subtitleLabel")
            .ivar<&MailboxTableCell::m_unreadCountLabel>("_unreadCountLabel")
            .ivar<&MailboxTableCell::m_iconImageView>("_iconImageView");
    return cls;
}

MailboxTableCell::MailboxTableCell() {
    textLabel()->setHidden(true);
    m_titleLabel = label(16, false, UIColor::blackColor());
    m_subtitleLabel = label(11, false, UIColor::colorWithWhite(0.5, 1));
    m_unreadCountLabel = label(12, false, UIColor::colorWithWhite(0.3, 1));
    m_unreadCountLabel->setTextAlignment(NSTextAlignmentCenter);
    m_unreadCountLabel->layer()->setCornerRadius(kPillHeight / 2);
    m_iconImageView = UIImageView::withImage(
        tintbox::sim::mail::mailboxIcon(tintbox::sim::mail::MailboxKind::Inbox).get());
    UIView* content = contentView();
    for (UIView* view :
         std::initializer_list<UIView*>{(m_iconImageView.get()), m_titleLabel.get(),
                                        m_subtitleLabel.get(), m_unreadCountLabel.get()})
        content->addSubview(view);
}

MailboxTableCell* MailboxTableCell::initWithStyle(NSInteger style, std::string reuseIdentifier) {
    UITableViewCell::initWithStyle(style, std::move(reuseIdentifier));
    return this;
}

void MailboxTableCell::setMailboxRow(std::string title, std::string subtitle,
                                     NSInteger unreadCount) {
    m_iconImageView->setImage(
        tintbox::sim::mail::mailboxIcon(tintbox::sim::mail::mailboxKindOfName(title)).get());
    m_titleLabel->setText(std::move(title));
    m_subtitleLabel->setText(std::move(subtitle));
    m_unreadCount = unreadCount;
    setNeedsLayout();
}

void MailboxTableCell::updateUnreadCount() {
    m_unreadCountLabel->setText(m_unreadCount > 0 ? std::to_string(m_unreadCount) : "");
    m_unreadCountLabel->setHidden(m_unreadCount <= 0);
    m_unreadCountLabel->setBackgroundColor(pillGrey().get());
    setNeedsLayout();
}

void MailboxTableCell::layoutSubviews() {
    UITableViewCell::layoutSubviews();
    const CGRect bounds = contentView()->bounds();
    m_iconImageView->setFrame(CGRectMake(kIconLeft, (bounds.height() - kIconSize.height) / 2,
                                         kIconSize.width, kIconSize.height));
    m_unreadCountLabel->sizeToFit();
    const CGFloat pillWidth = std::max(kPillHeight, m_unreadCountLabel->frame().width() + 12);
    const CGFloat pillLeft = bounds.width() - kRightMargin - pillWidth;
    m_unreadCountLabel->setFrame(
        CGRectMake(pillLeft, (bounds.height() - kPillHeight) / 2, pillWidth, kPillHeight));
    const CGFloat textWidth = std::max<CGFloat>(0, pillLeft - 8 - kTextLeft);
    if (m_subtitleLabel->text().empty()) {
        m_titleLabel->setFrame(CGRectMake(kTextLeft, 0, textWidth, bounds.height()));
        m_subtitleLabel->setFrame(CGRectMake(kTextLeft, bounds.height(), textWidth, 0));
        return;
    }
    m_titleLabel->setFrame(CGRectMake(kTextLeft, 3, textWidth, 22));
    m_subtitleLabel->setFrame(CGRectMake(kTextLeft, 25, textWidth, 15));
}
