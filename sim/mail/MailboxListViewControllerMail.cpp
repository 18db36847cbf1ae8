#include "sim/mail/MailboxListViewControllerMail.hpp"

#include "platform/uikit/UIScreen.hpp"
#include "sim/mail/MailAccount.hpp"
#include "sim/mail/Mailbox.hpp"
#include "sim/mail/table_cells.hpp"

namespace {
constexpr const char* kFolderCellIdentifier = "MailboxFolderCell";
}

Class MailboxListViewControllerMail::registerRuntimeClass() {
    UIViewController::registerRuntimeClass();
    UITableView::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<MailboxListViewControllerMail, UIViewController>(
            "MailboxListViewControllerMail")
            .method<&MailboxListViewControllerMail::loadView>("loadView")
            .method<&MailboxListViewControllerMail::tableView>("tableView")
            .method<&MailboxListViewControllerMail::viewWillAppear>("viewWillAppear:")
            .method<&MailboxListViewControllerMail::updateTitle>("updateTitle")
            .method<&MailboxListViewControllerMail::numberOfRows>(
                "tableView:numberOfRowsInSection:")
            .method<&MailboxListViewControllerMail::cellForRow>("tableView:cellForRowAtIndexPath:");
    return cls;
}

void MailboxListViewControllerMail::setAccount(MailAccount* account) {
    m_account = account;
    if (m_tableView)
        m_tableView->reloadData();
}

void MailboxListViewControllerMail::loadView() {
    const CGRect bounds = UIScreen::mainScreen()->bounds();
    m_tableView = UITableView::withFrameAndStyle(bounds, UITableViewStylePlain);
    m_tableView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                     UIViewAutoresizingFlexibleHeight);
    m_tableView->setDataSource(this);
    m_tableView->setDelegate(this);
    setView(m_tableView.get());
}

UITableView* MailboxListViewControllerMail::tableView() {
    view();
    return m_tableView.get();
}

void MailboxListViewControllerMail::viewWillAppear(bool) {
    static const SEL updateTitleSel = sel_registerName("updateTitle");
    objc::msgSend<void()>(this, updateTitleSel);
}

void MailboxListViewControllerMail::updateTitle() {
    setTitle(m_account ? m_account->displayName() : std::string("Mailboxes"));
}

NSInteger MailboxListViewControllerMail::numberOfRows(id, NSInteger section) const {
    if (!m_account || section != 0)
        return 0;
    return static_cast<NSInteger>(m_account->mailboxes().size());
}

objc::Ref<NSObject> MailboxListViewControllerMail::cellForRow(id table, id indexPath) {
    auto cell =
        tintbox::sim::mail::dequeueOrMakeCell(dynamic_cast<UITableView*>(table), "UITableViewCell",
                                              kFolderCellIdentifier, UITableViewCellStyleValue1);
    auto* path = dynamic_cast<NSIndexPath*>(indexPath);
    auto* row = dynamic_cast<UITableViewCell*>(cell.get());
    if (!m_account || !path || !row)
        return cell;
    const auto& mailboxes = m_account->mailboxes();
    const auto index = static_cast<std::size_t>(path->row());
    if (index >= mailboxes.size())
        return cell;
    Mailbox* mailbox = mailboxes[index].get();
    row->textLabel()->setText(mailbox->displayName());
    const NSInteger unread = mailbox->unreadCount();
    if (UILabel* detail = row->detailTextLabel())
        detail->setText(unread > 0 ? std::to_string(unread) : "");
    row->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
    return cell;
}
