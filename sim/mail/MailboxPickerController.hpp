// MailboxPickerController: the mailbox list, as the host names it. The first row is All
// Inboxes; then each account (MailAccount activeAccounts, in the accounts file's order) has a
// section of its mailboxes, each row titled with the mailbox's name and subtitled with the
// account's display name. Rows are MailboxTableCells made through the runtime.
// As on the host, tableView:cellForRowAtIndexPath: answers a borrowed cell (id): the controller
// keeps the cell it handed out alive until the next one, and its table reaches it through a
// small data source object that takes the cell over, as an autorelease pool would hand it on.
#pragma once

#include "platform/uikit/UITableView.hpp"
#include "platform/uikit/UIViewController.hpp"

#include <string>
#include <vector>

class MailboxPickerController : public UIViewController {
public:
    static Class registerRuntimeClass();
    static constexpr const char* kAllInboxesTitle = "All Inboxes";

    struct Row {
        std::string title;
        std::string subtitle;
        NSInteger unreadCount{0};
        std::vector<objc::Ref<NSObject>> mailboxes; // what the row lists when opened
    };
    struct Section {
        std::string header;
        std::vector<Row> rows;
    };

    MailboxPickerController* init();
    void loadView();
    UITableView* tableView();
    // Lists the accounts again (the table reloads when shown).
    void listAccounts();
    const std::vector<Section>& sections() const { return m_sections; }

    NSInteger numberOfSections(id tableView) const;
    NSInteger numberOfRows(id tableView, NSInteger section) const;
    std::string titleForHeader(id tableView, NSInteger section) const;
    NSObject* cellForRow(id tableView, id indexPath);
    // A tap on a row opens its message list on the navigation stack, as the app does.
    void didSelectRow(id tableView, id indexPath);

private:
    const Row* rowAt(id indexPath) const;

    objc::Ref<UITableView> m_tableView;
    objc::Ref<NSObject> m_tableSource;
    objc::Ref<NSObject> m_handedOutCell;
    std::vector<Section> m_sections;
};
