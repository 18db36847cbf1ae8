// MoveSheetController: the host's move sheet, which Move (transferButtonClicked:) opens over the
// message list in edit mode: one row per mailbox the selected messages can go to ("Name" and its
// account), and Cancel. Choosing a row hands the mailbox to the list (moveSelectionToMailbox:),
// which moves the selection and closes the sheet.
//   auto sheet = MoveSheetController::forList(list, mailboxes);
//   sheet->tableView()->tapRowAtIndexPath(NSIndexPath::indexPathForRow(1, 0).get());
#pragma once

#include "platform/uikit/UITableView.hpp"
#include "platform/uikit/UIViewController.hpp"

#include <string>
#include <vector>

class Mailbox;

class MoveSheetController : public UIViewController {
public:
    static Class registerRuntimeClass();
    static constexpr const char* kTitle = "Move to";

    static objc::Ref<MoveSheetController> forList(NSObject* list,
                                                  std::vector<objc::Ref<Mailbox>> mailboxes);

    void loadView();
    UITableView* tableView();
    const std::vector<objc::Ref<Mailbox>>& mailboxes() const { return m_mailboxes; }
    // The row of the mailbox named `name` ("INBOX", "Archive/2025"), or of "Name (Account)"
    // when several accounts have one; -1 when there is none or the name is ambiguous.
    NSInteger rowOfMailboxNamed(const std::string& name) const;
    std::string rowTitle(NSInteger row) const;

    NSInteger numberOfRows(id tableView, NSInteger section) const;
    objc::Ref<NSObject> cellForRow(id tableView, id indexPath);
    void didSelectRow(id tableView, id indexPath);
    void cancelClicked(NSObject* sender);

private:
    bool severalAccounts() const;

    objc::WeakRef<NSObject> m_list;
    std::vector<objc::Ref<Mailbox>> m_mailboxes;
    objc::Ref<UITableView> m_tableView;
};
