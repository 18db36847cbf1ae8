// MailboxListViewControllerMail: an account's folder list, as the host names it, shown in a
// navigation controller. Its title is the account's display name, set by updateTitle, which
// the controller sends through the runtime each time it is about to appear. Rows show each
// mailbox with its unread count.
//   auto folders = UIViewController::create<MailboxListViewControllerMail>();
//   folders->setAccount(account);  UINavigationController::withRootViewController(folders.get());
#pragma once

#include "platform/uikit/UITableView.hpp"
#include "platform/uikit/UIViewController.hpp"

#include <string>

class MailAccount;

class MailboxListViewControllerMail : public UIViewController {
public:
    static Class registerRuntimeClass();

    void setAccount(MailAccount* account);
    MailAccount* account() const { return m_account.get(); }

    void loadView();
    UITableView* tableView();
    void viewWillAppear(bool animated);
    // Titles the screen with the account's display name.
    void updateTitle();

    NSInteger numberOfRows(id tableView, NSInteger section) const;
    objc::Ref<NSObject> cellForRow(id tableView, id indexPath);

private:
    objc::Ref<MailAccount> m_account;
    objc::Ref<UITableView> m_tableView;
};
