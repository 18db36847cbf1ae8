#include "sim/mail/MoveSheetController.hpp"

#include "platform/uikit/UIBarButtonItem.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "sim/mail/MailAccount.hpp"
#include "sim/mail/Mailbox.hpp"

#include <algorithm>

namespace {

SEL sel(const char* name) {
    return sel_registerName(name);
}

std::string accountName(const Mailbox& mailbox) {
    MailAccount* account = mailbox.account();
    return account ? account->displayName() : std::string();
}

} // namespace

Class MoveSheetController::registerRuntimeClass() {
    UIViewController::registerRuntimeClass();
    UITableView::registerRuntimeClass();
    UITableViewCell::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<MoveSheetController, UIViewController>("MoveSheetController")
            .method<&MoveSheetController::loadView>("loadView")
            .method<&MoveSheetController::tableView>("tableView")
            .method<&MoveSheetController::numberOfRows>("tableView:numberOfRowsInSection:")
            .method<&MoveSheetController::cellForRow>("tableView:cellForRowAtIndexPath:")
            .method<&MoveSheetController::didSelectRow>("tableView:didSelectRowAtIndexPath:")
            .method<&MoveSheetController::cancelClicked>("cancelClicked:");
    return cls;
}

objc::Ref<MoveSheetController>
MoveSheetController::forList(NSObject* list, std::vector<objc::Ref<Mailbox>> mailboxes) {
    registerRuntimeClass();
    auto sheet = UIViewController::create<MoveSheetController>();
    sheet->m_list = list;
    sheet->m_mailboxes = std::move(mailboxes);
    sheet->setTitle(kTitle);
    sheet->navigationItem()->setRightBarButtonItem(
        UIBarButtonItem::withSystemItem(UIBarButtonSystemItemCancel, sheet.get(),
                                        sel("cancelClicked:"))
            .get());
    sheet->navigationItem()->setHidesBackButton(true);
    return sheet;
}

void MoveSheetController::loadView() {
    m_tableView =
        UITableView::withFrameAndStyle(UIScreen::mainScreen()->bounds(), UITableViewStylePlain);
    m_tableView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                     UIViewAutoresizingFlexibleHeight);
    m_tableView->setDataSource(this);
    m_tableView->setDelegate(this);
    setView(m_tableView.get());
}

UITableView* MoveSheetController::tableView() {
    view();
    return m_tableView.get();
}

bool MoveSheetController::severalAccounts() const {
    return std::any_of(m_mailboxes.begin(), m_mailboxes.end(), [&](const auto& mailbox) {
        return mailbox->account() != m_mailboxes.front()->account();
    });
}

std::string MoveSheetController::rowTitle(NSInteger row) const {
    if (row < 0 || row >= static_cast<NSInteger>(m_mailboxes.size()))
        return {};
    const Mailbox& mailbox = *m_mailboxes[static_cast<std::size_t>(row)];
    if (!severalAccounts())
        return mailbox.displayName();
    return mailbox.displayName() + " (" + accountName(mailbox) + ")";
}

NSInteger MoveSheetController::rowOfMailboxNamed(const std::string& name) const {
    NSInteger found = -1;
    for (NSInteger row = 0; row < static_cast<NSInteger>(m_mailboxes.size()); ++row) {
        if (rowTitle(row) != name &&
            m_mailboxes[static_cast<std::size_t>(row)]->displayName() != name)
            continue;
        if (rowTitle(row) == name)
            return row;
        if (found >= 0)
            return -1; // "INBOX" of two accounts: the caller must say which
        found = row;
    }
    return found;
}

NSInteger MoveSheetController::numberOfRows(id, NSInteger section) const {
    return section == 0 ? static_cast<NSInteger>(m_mailboxes.size()) : 0;
}

objc::Ref<NSObject> MoveSheetController::cellForRow(id table, id indexPath) {
    auto* path = dynamic_cast<NSIndexPath*>(indexPath);
    auto* tableView = dynamic_cast<UITableView*>(table);
    objc::Ref<UITableViewCell> cell =
        tableView ? tableView->dequeueReusableCellWithIdentifier("MoveSheetRow") : nullptr;
    if (!cell)
        cell = UITableViewCell::withStyle(UITableViewCellStyleDefault, "MoveSheetRow");
    cell->textLabel()->setText(rowTitle(path ? path->row() : -1));
    return cell;
}

void MoveSheetController::didSelectRow(id, id indexPath) {
    auto* path = dynamic_cast<NSIndexPath*>(indexPath);
    objc::Ref<NSObject> list = m_list.lock();
    if (!path || !list || path->row() < 0 ||
        path->row() >= static_cast<NSInteger>(m_mailboxes.size()))
        return;
    objc::Ref<Mailbox> target = m_mailboxes[static_cast<std::size_t>(path->row())];
    objc::Ref<MoveSheetController> keep(this);
    objc::msgSend<void(id)>(list, sel("moveSelectionToMailbox:"), target.get());
}

void MoveSheetController::cancelClicked(NSObject*) {
    objc::Ref<NSObject> list = m_list.lock();
    objc::Ref<MoveSheetController> keep(this);
    if (list)
        objc::msgSend<void(id)>(list, sel("dismissMoveSheet:"), this);
}
