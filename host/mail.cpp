#include "host/mail.hpp"

#include "host/mail_names.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UINavigationBar.hpp"
#include "platform/uikit/UITableView.hpp"
#include "platform/uikit/UIView.hpp"

namespace tintbox::host {
namespace {

SEL selector(std::string_view name) {
    return sel_registerName(name);
}

using AddressList = std::optional<std::vector<std::string>>;

// Looked up on first use and kept: classes live for the whole process.
Class mailAccountClass() {
    static const Class cls = objc_getClass(kMailAccount);
    return cls;
}

Class localAccountClass() {
    static const Class cls = objc_getClass(kLocalAccount);
    return cls;
}

} // namespace

// Every row of a list asks for these: their selectors are looked up once.
std::optional<std::string> subject(id message) {
    static const SEL subjectSel = selector(sel::kSubject);
    return objc::msgSend<std::optional<std::string>()>(message, subjectSel);
}

AddressList senders(id message) {
    static const SEL sendersSel = selector(sel::kSenders);
    return objc::msgSend<AddressList()>(message, sendersSel);
}

AddressList toAddresses(id message) {
    static const SEL toSel = selector(sel::kTo);
    return objc::msgSend<AddressList()>(message, toSel);
}

AddressList ccAddresses(id message) {
    static const SEL ccSel = selector(sel::kCc);
    return objc::msgSend<AddressList()>(message, ccSel);
}

id account(id message) {
    static const SEL accountSel = selector(sel::kAccount);
    return objc::msgSend<id()>(message, accountSel);
}

std::string displayName(id account) {
    static const SEL displayNameSel = selector(sel::kDisplayName);
    return objc::msgSend<std::string()>(account, displayNameSel);
}

std::optional<std::string> accountDisplayName(id message) {
    id owner = account(message);
    if (!owner)
        return std::nullopt;
    return displayName(owner);
}

id messageOfViewingObject(id viewingObject) {
    return objc::msgSend<id()>(viewingObject, selector(sel::kMessage));
}

std::vector<objc::Ref<NSObject>> activeAccounts() {
    return objc::msgSendClass<std::vector<objc::Ref<NSObject>>()>(mailAccountClass(),
                                                                  selector(sel::kActiveAccounts));
}

bool isLocalAccount(id account) {
    Class local = localAccountClass();
    return account && local && account->isKindOfClass(local);
}

UIView* contentView(id cell) {
    static const SEL contentViewSel = selector(sel::kContentView);
    return objc::msgSend<UIView*()>(cell, contentViewSel);
}

CGRect frame(id view) {
    return objc::msgSend<CGRect()>(view, selector(sel::kFrame));
}

UIView* headerView(id contentLayer) {
    return objc::msgSend<UIView*()>(contentLayer, selector(sel::kHeaderView));
}

CGRect subjectFrame(id header) {
    return objc::msgSend<CGRect()>(header, selector(sel::kSubjectFrame));
}

id ivarObject(id object, std::string_view name) {
    if (!object)
        return nil;
    Ivar variable = class_getInstanceVariable(object_getClass(object), name);
    return variable ? object_getIvar(object, variable) : nil;
}

UILabel* ivarLabel(id object, std::string_view name) {
    return dynamic_cast<UILabel*>(ivarObject(object, name));
}

UIImageView* ivarImageView(id object, std::string_view name) {
    return dynamic_cast<UIImageView*>(ivarObject(object, name));
}

UITableView* tableView(id controller) {
    return objc::msgSend<UITableView*()>(controller, selector(sel::kTableView));
}

void reloadTableView(id controller) {
    objc::msgSend<void()>(tableView(controller), selector(sel::kReloadData));
}

std::string title(id controller) {
    return objc::msgSend<std::string()>(controller, selector(sel::kTitle));
}

UINavigationBar* navigationBar(id controller) {
    id navigation = objc::msgSend<id()>(controller, selector(sel::kNavigationController));
    return objc::msgSend<UINavigationBar*()>(navigation, selector(sel::kNavigationBar));
}

} // namespace tintbox::host
