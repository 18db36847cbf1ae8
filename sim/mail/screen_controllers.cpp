#include "sim/mail/screen_controllers.hpp"

#include "sim/mail/MailMessage.hpp"
#include "sim/mail/MailboxContentViewController.hpp"
#include "sim/mail/MessageContentLayer.hpp"

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

objc::Ref<UIViewController> makeMessageController(MailMessage& message, CGSize size) {
    static const SEL displayMessage = sel_registerName("displayMessage:withStyle:");
    auto layer = UIView::withFrame<MessageContentLayer>(CGRectMake(0, 0, size.width, size.height));
    layer->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    auto viewing = objc::make<MessageViewingContext>(objc::Ref<NSObject>(&message));
    objc::msgSend<void(id, NSInteger)>(layer, displayMessage, viewing.get(), 0L);

    auto controller = UIViewController::create();
    controller->setTitle(message.subject().value_or(""));
    controller->setView(layer.get());
    return controller;
}

} // namespace tintbox::sim::mail
