#include "sim/mail/screen_controllers.hpp"

#include "platform/uikit/UIScrollView.hpp"
#include "sim/mail/MailMessage.hpp"
#include "sim/mail/MailboxContentViewController.hpp"
#include "sim/mail/MessageContentLayer.hpp"

#include <algorithm>

namespace tintbox::sim::mail {

objc::Ref<MailboxContentViewController>
makeMessageListController(std::vector<objc::Ref<NSObject>> mailboxes, const std::string& title,
                          NSInteger sourceType) {
    static const SEL setMailboxes = sel_registerName("setMailboxes:sourceType:");
    auto list = UIViewController::create<MailboxContentViewController>();
    list->setTitle(title);
    list->view();
    objc::msgSend<void(std::vector<objc::Ref<NSObject>>, NSInteger)>(
        list, setMailboxes, std::move(mailboxes), sourceType);
    return list;
}

objc::Ref<UIViewController> makeMessageController(MailMessage& message, CGSize size,
                                                  bool scrolling) {
    static const SEL displayMessage = sel_registerName("displayMessage:withStyle:");
    auto layer = UIView::withFrame<MessageContentLayer>(CGRectMake(0, 0, size.width, size.height));
    layer->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    auto viewing = objc::make<MessageViewingContext>(objc::Ref<NSObject>(&message));
    objc::msgSend<void(id, NSInteger)>(layer, displayMessage, viewing.get(), 0L);

    auto controller = UIViewController::create();
    controller->setTitle(message.subject().value_or(""));
    if (!scrolling) {
        controller->setView(layer.get());
        return controller;
    }
    const CGFloat height = std::max<CGFloat>(size.height, layer->fittingHeight());
    auto scroll = UIView::withFrame<UIScrollView>(CGRectMake(0, 0, size.width, size.height));
    scroll->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    scroll->layer()->setMasksToBounds(true);
    layer->setFrame(CGRectMake(0, 0, size.width, height));
    layer->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    scroll->setContentSize(CGSizeMake(size.width, height));
    scroll->addSubview(layer.get());
    controller->setView(scroll.get());
    return controller;
}

} // namespace tintbox::sim::mail
