#include "host/message_content.hpp"

#include "host/mail.hpp"
#include "host/mail_names.hpp"
#include "platform/uikit/NSIndexPath.hpp"
#include "platform/uikit/UITableView.hpp"

namespace tintbox::host {
namespace {

SEL selector(std::string_view name) {
    return sel_registerName(name);
}

} // namespace

id cellAtPoint(UITableView* table, CGPoint point) {
    const auto path = objc::msgSend<objc::Ref<NSIndexPath>(CGPoint)>(
        table, selector(sel::kIndexPathForRowAtPoint), point);
    if (!path)
        return nil;
    return objc::msgSend<id(id)>(table, selector(sel::kCellForRowAtIndexPath), path.get());
}

id messageOfCell(id cell) {
    return objc::msgSend<id()>(cell, selector(sel::kMessage));
}

MessageContent messageContent(id message) {
    MessageContent content;
    content.subject = subject(message);
    content.messageIDHeader =
        objc::msgSend<std::optional<std::string>()>(message, selector(sel::kMessageIDHeader));
    id body = objc::msgSend<id()>(message, selector(sel::kMessageBody));
    content.bodyIsHTML = objc::msgSend<bool()>(body, selector(sel::kIsHTML));
    id part = objc::msgSend<id()>(body, selector(sel::kPreferredBodyPart));
    content.bodyText = objc::msgSend<std::string()>(part, selector(sel::kDecodeText));
    return content;
}

} // namespace tintbox::host
