// MailboxContentViewController: the message list of one or more mailboxes, as the host names
// it. Its table's rows are MailboxContentViewCells, made, reused and filled through the runtime
// (initWithStyle:reuseIdentifier:, dequeue, setMessage:threaded:). setMailboxes:sourceType:
// chooses what it lists: source type 0 every message, 2 flagged ones, 3 unread ones, newest
// first across the mailboxes.
//   auto list = UIViewController::create<MailboxContentViewController>();
//   objc::msgSend<void(std::vector<objc::Ref<NSObject>>, NSInteger)>(list, setMailboxes, {inbox},
//   0);
#pragma once

#include "platform/uikit/UITableView.hpp"
#include "platform/uikit/UIViewController.hpp"

#include <vector>

class MailboxContentViewController : public UIViewController {
public:
    static Class registerRuntimeClass();

    static constexpr NSInteger kSourceAll = 0;
    static constexpr NSInteger kSourceFlagged = 2;
    static constexpr NSInteger kSourceUnread = 3;

    void loadView();
    UITableView* tableView();
    // The table shown now; there is no search table here, so the same one.
    UITableView* currentTableView() { return tableView(); }

    void setMailboxes(std::vector<objc::Ref<NSObject>> mailboxes, NSInteger sourceType);
    const std::vector<objc::Ref<NSObject>>& mailboxes() const { return m_mailboxes; }
    NSInteger sourceType() const { return m_sourceType; }
    // The listed messages, in row order.
    const std::vector<objc::Ref<NSObject>>& messages() const { return m_messages; }

    // The table's data source.
    NSInteger numberOfRows(id tableView, NSInteger section) const;
    objc::Ref<NSObject> cellForRow(id tableView, id indexPath);

private:
    void listMessages();

    objc::Ref<UITableView> m_tableView;
    std::vector<objc::Ref<NSObject>> m_mailboxes;
    std::vector<objc::Ref<NSObject>> m_messages;
    NSInteger m_sourceType{kSourceAll};
};
