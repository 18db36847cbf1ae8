#include "host/message_list_controller.hpp"

#include "host/mail.hpp"
#include "host/mail_names.hpp"
#include "platform/uikit/UIBarButtonItem.hpp"
#include "platform/uikit/UITableView.hpp"
#include "platform/uikit/UIView.hpp"

#include <string>

namespace tintbox::host {
namespace {

SEL selector(std::string_view name) {
    return sel_registerName(name);
}

// Looked up on first use and kept: classes live for the whole process.
Class threadedMiniMallSourceClass() {
    static const Class cls = objc_getClass(kThreadedMiniMallSource);
    return cls;
}

} // namespace

UIView* view(id controller) {
    return objc::msgSend<UIView*()>(controller, selector(sel::kView));
}

UITableView* currentTableView(id controller) {
    return objc::msgSend<UITableView*()>(controller, selector(sel::kCurrentTableView));
}

void setMailboxes(id controller, const Mailboxes& mailboxes, NSInteger sourceType) {
    objc::msgSend<void(Mailboxes, NSInteger)>(controller, selector(sel::kSetMailboxesSourceType),
                                              mailboxes, sourceType);
}

id selectionModel(id controller) {
    return ivarObject(controller, ivar::kSelectionModel);
}

UIBarButtonItem* moveButtonItemIvar(id controller) {
    return dynamic_cast<UIBarButtonItem*>(ivarObject(controller, ivar::kMoveButtonItem));
}

UIBarButtonItem* moveButtonItem(id controller) {
    return dynamic_cast<UIBarButtonItem*>(
        objc::msgSend<id()>(controller, selector(sel::kMoveButtonItem)));
}

UIView* barButtonItemView(id item) {
    return dynamic_cast<UIView*>(
        objc::msgSend<id(std::string)>(item, selector(sel::kValueForKey), std::string("view")));
}

void bulkMarkSelection(id controller, id selection, bool read) {
    objc::msgSend<void(id, bool)>(controller, selector(sel::kBulkMarkSelectionAsRead), selection,
                                  read);
}

void transferButtonClicked(id controller, id sender) {
    objc::msgSend<void(id)>(controller, selector(sel::kTransferButtonClicked), sender);
}

bool isThreadedMiniMallSource(id source) {
    const Class cls = threadedMiniMallSourceClass();
    return source && cls && source->isKindOfClass(cls);
}

} // namespace tintbox::host
