// The open message, as the host names its views. MessageContentLayer shows a header view
// (From, To, Cc, the subject in bold, the date) above the body text; the header answers
// subjectFrame, the subject line's rectangle in the content layer's coordinates (the header
// sits at the layer's origin). displayMessage:withStyle: takes a viewing object that answers
// `message` (MessageViewingContext here).
//   auto layer = UIView::withFrame<MessageContentLayer>(CGRectMake(0, 0, 320, 504));
//   objc::msgSend<void(id, NSInteger)>(layer, displayMessage, viewing.get(), 0L);
#pragma once

#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIView.hpp"

#include <vector>

class MessageHeaderView : public UIView {
public:
    static Class registerRuntimeClass();

    MessageHeaderView();

    // Fills the header lines; empty To or Cc lines are left out.
    void showHeader(const std::string& from, const std::string& to, const std::string& cc,
                    const std::string& subject, const std::string& date);
    // Lays the lines out for a width and answers the header's height.
    CGFloat layoutForWidth(CGFloat width);
    CGRect subjectFrame() const { return m_subjectLabel->frame(); }
    // The lines as shown ("From: ...", "To: ...", "Cc: ...", subject, date); empty when hidden.
    std::vector<std::string> lines() const;

private:
    objc::Ref<UILabel> m_fromLabel;
    objc::Ref<UILabel> m_toLabel;
    objc::Ref<UILabel> m_ccLabel;
    objc::Ref<UILabel> m_subjectLabel;
    objc::Ref<UILabel> m_dateLabel;
    objc::Ref<UIView> m_separator;
};

class MessageContentLayer : public UIView {
public:
    static Class registerRuntimeClass();

    MessageContentLayer();

    MessageContentLayer* initWithFrame(CGRect frame);
    void displayMessage(id viewingObject, NSInteger style);
    void layoutSubviews();
    MessageHeaderView* headerView() const { return m_headerView.get(); }
    UILabel* bodyLabel() const { return m_bodyLabel.get(); }
    // One line per attachment ("Attachment: NAME (TYPE, SIZE)"); hidden when there are none.
    UILabel* attachmentsLabel() const { return m_attachmentsLabel.get(); }
    // The height that shows the whole message at the current width.
    CGFloat fittingHeight();

private:
    objc::Ref<MessageHeaderView> m_headerView;
    objc::Ref<UILabel> m_bodyLabel;
    objc::Ref<UILabel> m_attachmentsLabel;
};

// What the host passes to displayMessage:withStyle:: the message being viewed.
class MessageViewingContext : public NSObject {
public:
    static Class registerRuntimeClass();

    explicit MessageViewingContext(objc::Ref<NSObject> message = nullptr)
        : m_message(std::move(message)) {}
    NSObject* message() const { return m_message.get(); }

private:
    objc::Ref<NSObject> m_message;
};
