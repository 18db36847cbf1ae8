#include "sim/mail/MessageContentLayer.hpp"

#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"
#include "sim/mail/MailMessage.hpp"
#include "sim/mail/message_display.hpp"
#include "sim/mail/mime_reader.hpp"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

namespace {

// "Attachment: report.pdf (application/pdf, 12.3 KB)"
std::string attachmentLine(const tintbox::sim::mail::Attachment& attachment) {
    char size[32];
    if (attachment.size < 1024)
        std::snprintf(size, sizeof size, "%zu bytes", attachment.size);
    else if (attachment.size < 1024 * 1024)
        std::snprintf(size, sizeof size, "%.1f KB", attachment.size / 1024.0);
    else
        std::snprintf(size, sizeof size, "%.1f MB", attachment.size / (1024.0 * 1024.0));
    const std::string name = attachment.name.empty() ? "(unnamed)" : attachment.name;
    return "Attachment: " + name + " (" + attachment.type + ", " + size + ")";
}

constexpr CGFloat kMargin = 15;
constexpr CGFloat kLineHeight = 20;
constexpr CGFloat kGap = 6;
// Laying text out costs more than linear time in its length, so the body view lays out a
// bounded start of a long body: many screens' worth, far beyond what a screen shows.
constexpr std::size_t kLaidOutBodyBytes = 32 * 1024;
constexpr std::string_view kContinuation = "\n\u2026";

// The start of the body that is laid out: all of a short body; else up to kLaidOutBodyBytes,
// ended at a line break when one is near the limit and never inside a UTF-8 sequence.
std::string laidOutPart(const std::string& body) {
    if (body.size() <= kLaidOutBodyBytes)
        return body;
    std::size_t end = kLaidOutBodyBytes;
    const std::size_t lineBreak = body.rfind('\n', end);
    if (lineBreak != std::string::npos && lineBreak > end - end / 4)
        end = lineBreak;
    while (end > 0 && (static_cast<unsigned char>(body[end]) & 0xC0) == 0x80)
        --end;
    return body.substr(0, end) + std::string(kContinuation);
}

objc::Ref<UILabel> headerLabel(double size, bool bold, objc::Ref<UIColor> colour) {
    auto made = objc::make<UILabel>();
    made->setFont(bold ? UIFont::boldSystemFontOfSize(size).get()
                       : UIFont::systemFontOfSize(size).get());
    made->setTextColor(colour.get());
    made->setUserInteractionEnabled(false);
    return made;
}

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const auto& part : parts)
        text += (text.empty() ? "" : ", ") + part;
    return text;
}

} // namespace

Class MessageHeaderView::registerRuntimeClass() {
    UIView::registerRuntimeClass();
    static const Class cls = objc::ClassBuilder<MessageHeaderView, UIView>("MessageHeaderView")
                                 .method<&MessageHeaderView::subjectFrame>("subjectFrame");
    return cls;
}

MessageHeaderView::MessageHeaderView() {
    const auto grey = UIColor::colorWithWhite(0.45, 1);
    m_fromLabel = headerLabel(14, false, UIColor::blackColor());
    m_toLabel = headerLabel(13, false, grey);
    m_ccLabel = headerLabel(13, false, grey);
    m_subjectLabel = headerLabel(17, true, UIColor::blackColor());
    m_subjectLabel->setNumberOfLines(0);
    m_dateLabel = headerLabel(12, false, grey);
    m_separator = objc::make<UIView>();
    m_separator->setBackgroundColor(UIColor::colorWithWhite(0.8, 1).get());
    for (UIView* view :
         std::initializer_list<UIView*>{(m_fromLabel.get()), m_toLabel.get(), m_ccLabel.get(),
                                        m_subjectLabel.get(), m_dateLabel.get(), m_separator.get()})
        addSubview(view);
}

void MessageHeaderView::showHeader(const std::string& from, const std::string& to,
                                   const std::string& cc, const std::string& subject,
                                   const std::string& date) {
    m_fromLabel->setText("From: " + from);
    m_toLabel->setText(to.empty() ? "" : "To: " + to);
    m_ccLabel->setText(cc.empty() ? "" : "Cc: " + cc);
    m_subjectLabel->setText(subject.empty() ? "(no subject)" : subject);
    m_dateLabel->setText(date);
}

std::vector<std::string> MessageHeaderView::lines() const {
    return {m_fromLabel->text(), m_toLabel->text(), m_ccLabel->text(), m_subjectLabel->text(),
            m_dateLabel->text()};
}

CGFloat MessageHeaderView::layoutForWidth(CGFloat width) {
    const CGFloat textWidth = std::max<CGFloat>(0, width - 2 * kMargin);
    CGFloat y = 10;
    for (UILabel* line :
         std::initializer_list<UILabel*>{m_fromLabel.get(), m_toLabel.get(), m_ccLabel.get()}) {
        const bool shown = !line->text().empty();
        line->setHidden(!shown);
        line->setFrame(CGRectMake(kMargin, y, textWidth, shown ? kLineHeight : 0));
        if (shown)
            y += kLineHeight;
    }
    y += kGap;
    const CGSize subjectSize = m_subjectLabel->sizeThatFits(CGSizeMake(textWidth, 0));
    m_subjectLabel->setFrame(CGRectMake(kMargin, y, std::min(subjectSize.width, textWidth),
                                        std::max<CGFloat>(subjectSize.height, 22)));
    y = m_subjectLabel->frame().maxY() + 2;
    m_dateLabel->setFrame(CGRectMake(kMargin, y, textWidth, 18));
    y += 18 + 8;
    m_separator->setFrame(CGRectMake(kMargin, y - 1, textWidth, 1));
    return y;
}

Class MessageContentLayer::registerRuntimeClass() {
    MessageHeaderView::registerRuntimeClass();
    UILabel::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<MessageContentLayer, UIView>("MessageContentLayer")
            .method<&MessageContentLayer::initWithFrame>("initWithFrame:")
            .method<&MessageContentLayer::displayMessage>("displayMessage:withStyle:")
            .method<&MessageContentLayer::layoutSubviews>("layoutSubviews")
            .method<&MessageContentLayer::headerView>("headerView");
    return cls;
}

MessageContentLayer::MessageContentLayer() {
    m_headerView = objc::make<MessageHeaderView>();
    m_bodyLabel = headerLabel(14, false, UIColor::colorWithWhite(0.1, 1));
    m_bodyLabel->setNumberOfLines(0);
    m_attachmentsLabel = headerLabel(13, false, UIColor::colorWithWhite(0.35, 1));
    m_attachmentsLabel->setNumberOfLines(0);
    addSubview(m_headerView.get());
    addSubview(m_bodyLabel.get());
    addSubview(m_attachmentsLabel.get());
    setBackgroundColor(UIColor::whiteColor().get());
}

MessageContentLayer* MessageContentLayer::initWithFrame(CGRect frame) {
    UIView::initWithFrame(frame);
    return this;
}

void MessageContentLayer::displayMessage(id viewingObject, NSInteger /*style*/) {
    static const SEL messageSel = sel_registerName("message");
    id message = objc::msgSend<id()>(viewingObject, messageSel);
    const auto shown = tintbox::sim::mail::readMessageDisplay(message);
    m_headerView->showHeader(shown.from, joined(shown.to), joined(shown.cc), shown.subject,
                             message ? tintbox::sim::mail::longDate(shown.dateSent) : "");
    m_bodyText = tintbox::sim::mail::readBodyText(message);
    m_bodyLabel->setText(laidOutPart(m_bodyText));
    std::string attachments;
    if (auto* mail = dynamic_cast<MailMessage*>(message))
        for (const auto& attachment : tintbox::sim::mail::readAttachments(mail->file().path)) {
            if (!attachments.empty())
                attachments += '\n';
            attachments += attachmentLine(attachment);
        }
    m_attachmentsLabel->setText(attachments);
    m_attachmentsLabel->setHidden(attachments.empty());
    setNeedsLayout();
}

void MessageContentLayer::layoutSubviews() {
    const CGFloat width = bounds().width();
    const CGFloat headerHeight = m_headerView->layoutForWidth(width);
    m_headerView->setFrame(CGRectMake(0, 0, width, headerHeight));
    const CGFloat textWidth = std::max<CGFloat>(0, width - 2 * kMargin);
    const CGSize bodySize = m_bodyLabel->sizeThatFits(CGSizeMake(textWidth, 0));
    m_bodyLabel->setFrame(CGRectMake(kMargin, headerHeight + 10, textWidth, bodySize.height));
    const CGSize listSize = m_attachmentsLabel->sizeThatFits(CGSizeMake(textWidth, 0));
    m_attachmentsLabel->setFrame(
        CGRectMake(kMargin, m_bodyLabel->frame().maxY() + 10, textWidth, listSize.height));
}

CGFloat MessageContentLayer::fittingHeight() {
    layoutSubviews();
    const UILabel* last =
        m_attachmentsLabel->isHidden() ? m_bodyLabel.get() : m_attachmentsLabel.get();
    return last->frame().maxY() + kMargin;
}

Class MessageViewingContext::registerRuntimeClass() {
    static const Class cls = objc::ClassBuilder<MessageViewingContext>("MessageViewingContext")
                                 .method<&MessageViewingContext::message>("message");
    return cls;
}
