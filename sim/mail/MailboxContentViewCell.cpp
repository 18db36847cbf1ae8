#include "sim/mail/MailboxContentViewCell.hpp"

#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"
#include "sim/mail/message_display.hpp"
#include "sim/mail/text_snippet.hpp"

#include <algorithm>
#include <initializer_list>

namespace {

constexpr CGFloat kTextLeft = 20;
constexpr CGFloat kRightMargin = 12;
constexpr CGFloat kDateWidth = 78;
constexpr CGFloat kFlagWidth = 16;
constexpr CGFloat kDotSize = 8;
constexpr std::size_t kSnippetLength = 120;

objc::Ref<UILabel> label(objc::Ref<UIFont> font, objc::Ref<UIColor> colour) {
    auto made = objc::make<UILabel>();
    made->setFont(font.get());
    made->setTextColor(colour.get());
    made->setUserInteractionEnabled(false);
    made->setClipsToBounds(true);
    return made;
}

objc::Ref<UIColor> tint() {
    return UIColor::colorWithRed(0, 0.478, 1, 1);
}

} // namespace

Class MailboxContentViewCell::registerRuntimeClass() {
    UITableViewCell::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<MailboxContentViewCell, UITableViewCell>("MailboxContentViewCell")
            .method<&MailboxContentViewCell::initWithStyle>("initWithStyle:reuseIdentifier:")
            .method<&MailboxContentViewCell::setMessage>("setMessage:threaded:")
            .method<&MailboxContentViewCell::message>("message")
            .method<&MailboxContentViewCell::layoutSubviews>("layoutSubviews");
    return cls;
}

MailboxContentViewCell::MailboxContentViewCell() {
    UIView* content = contentView();
    textLabel()->setHidden(true);
    m_unreadDot = UIView::withFrame(CGRectMake(0, 0, kDotSize, kDotSize));
    m_unreadDot->setBackgroundColor(tint().get());
    m_unreadDot->layer()->setCornerRadius(kDotSize / 2);
    m_unreadDot->setHidden(true);
    m_senderLabel = label(UIFont::boldSystemFontOfSize(14), UIColor::blackColor());
    m_dateLabel = label(UIFont::systemFontOfSize(11), UIColor::colorWithWhite(0.5, 1));
    m_dateLabel->setTextAlignment(NSTextAlignmentRight);
    m_flagLabel = label(UIFont::systemFontOfSize(12), UIColor::colorWithRed(1, 0.58, 0, 1));
    m_flagLabel->setTextAlignment(NSTextAlignmentCenter);
    m_subjectLabel = label(UIFont::systemFontOfSize(12), UIColor::blackColor());
    m_snippetLabel = label(UIFont::systemFontOfSize(12), UIColor::colorWithWhite(0.56, 1));
    for (UIView* view : std::initializer_list<UIView*>{(m_unreadDot.get()), m_senderLabel.get(),
                                                       m_dateLabel.get(), m_flagLabel.get(),
                                                       m_subjectLabel.get(), m_snippetLabel.get()})
        content->addSubview(view);
}

MailboxContentViewCell* MailboxContentViewCell::initWithStyle(NSInteger style,
                                                              std::string reuseIdentifier) {
    UITableViewCell::initWithStyle(style, std::move(reuseIdentifier));
    return this;
}

void MailboxContentViewCell::setMessage(id message, bool /*threaded*/) {
    m_message = message;
    m_shown = tintbox::sim::mail::readMessageDisplay(message);
    const auto& shown = m_shown;
    m_senderLabel->setText(shown.sender.empty() ? "(no sender)" : shown.sender);
    m_dateLabel->setText(tintbox::sim::mail::shortDate(shown.dateSent));
    m_flagLabel->setText(shown.flagged ? "\u2691" : "");
    m_unreadDot->setHidden(shown.read);
    m_subjectLabel->setText(shown.subject.empty() ? "(no subject)" : shown.subject);
    const std::string snippet = tintbox::sim::mail::readPreviewText(message, kSnippetLength);
    m_snippetLabel->setText(snippet.empty() ? "" : "\u2014 " + snippet);
    setNeedsLayout();
}

std::string MailboxContentViewCell::shownDate() const {
    return m_dateLabel->text();
}

void MailboxContentViewCell::layoutSubviews() {
    UITableViewCell::layoutSubviews();
    const CGRect bounds = contentView()->bounds();
    const CGFloat lineHeight = std::max<CGFloat>(16, (bounds.height() - 8) / 2);
    const CGFloat top = (bounds.height() - 2 * lineHeight) / 2;
    const CGFloat right = bounds.width() - kRightMargin;
    m_unreadDot->setFrame(CGRectMake(kTextLeft - kDotSize - 4, top + (lineHeight - kDotSize) / 2,
                                     kDotSize, kDotSize));
    m_dateLabel->setFrame(CGRectMake(right - kDateWidth, top, kDateWidth, lineHeight));
    m_flagLabel->setFrame(CGRectMake(right - kDateWidth - kFlagWidth, top, kFlagWidth, lineHeight));
    m_senderLabel->setFrame(CGRectMake(
        kTextLeft, top, std::max<CGFloat>(0, right - kDateWidth - kFlagWidth - kTextLeft - 4),
        lineHeight));
    const CGFloat secondLine = top + lineHeight;
    const CGFloat textWidth = std::max<CGFloat>(0, right - kTextLeft);
    m_subjectLabel->sizeToFit();
    const CGFloat subjectWidth = std::min(m_subjectLabel->frame().width(), textWidth);
    m_subjectLabel->setFrame(CGRectMake(kTextLeft, secondLine, subjectWidth, lineHeight));
    const CGFloat snippetLeft = kTextLeft + subjectWidth + 4;
    m_snippetLabel->setFrame(
        CGRectMake(snippetLeft, secondLine, std::max<CGFloat>(0, right - snippetLeft), lineHeight));
}
