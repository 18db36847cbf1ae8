// Small stand-ins for Mail's classes, registered under the host's names and selectors, so that
// the mail extension's replacements can be installed and driven without the Mail app.
//   registerTestHostClasses();   // before the extension installs its replacements
#pragma once

#include "platform/objc/objc.hpp"
#include "platform/uikit/UIBarButtonItem.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UITableView.hpp"
#include "platform/uikit/UITableViewCell.hpp"
#include "platform/uikit/UIViewController.hpp"

#include <optional>
#include <string>
#include <vector>

namespace tintbox::testing {

class TestAccount : public NSObject {
public:
    std::string displayName() const { return name; }
    std::string name;
};

class TestLocalAccount : public TestAccount {};

// MailAccount activeAccounts answers these.
std::vector<objc::Ref<NSObject>>& activeTestAccounts();

class TestMessage : public NSObject {
public:
    std::optional<std::string> subject() const { return subjectText; }
    std::optional<std::vector<std::string>> senders() const { return from; }
    std::optional<std::vector<std::string>> to() const { return toList; }
    std::optional<std::vector<std::string>> cc() const { return ccList; }
    NSObject* account() const { return owner.get(); }

    std::optional<std::string> subjectText;
    std::optional<std::vector<std::string>> from;
    std::optional<std::vector<std::string>> toList;
    std::optional<std::vector<std::string>> ccList;
    objc::Ref<NSObject> owner;
};

class TestViewingObject : public NSObject {
public:
    NSObject* message() const { return shown.get(); }
    objc::Ref<NSObject> shown;
};

// MailboxContentViewCell: counts the messages it was given.
class TestMessageCell : public UITableViewCell {
public:
    void setMessage(NSObject* message, bool threaded);
    int messagesSet{0};
    bool lastThreaded{false};
};

class TestHeaderView : public UIView {
public:
    CGRect subjectFrame() const { return subject; }
    CGRect subject{};
};

// MessageContentLayer: a header view 100 points high with the subject at (20, 30, 200, 20).
class TestContentLayer : public UIView {
public:
    TestContentLayer* initContentLayer(CGRect frame);
    void displayMessage(NSObject* viewingObject, NSInteger style);
    TestHeaderView* headerView() const { return header.get(); }
    objc::Ref<TestHeaderView> header;
    int messagesShown{0};
};

// MailboxTableCell with the host's label and icon variables.
class TestMailboxCell : public UITableViewCell {
public:
    TestMailboxCell* initMailboxCell(NSInteger style, std::string reuseIdentifier);
    void updateUnreadCount();
    objc::Ref<UILabel> titleLabel;
    objc::Ref<UILabel> subtitleLabel;
    objc::Ref<UILabel> unreadCountLabel;
    objc::Ref<UIImageView> iconImageView;
};

// A table view that counts reloadData.
class CountingTableView : public UITableView {
public:
    void countReload() { ++reloads; }
    int reloads{0};
};

// MailboxPickerController: answers one prepared cell for every row.
class TestMailboxPicker : public UIViewController {
public:
    CountingTableView* tableView() const { return table.get(); }
    NSObject* cellForRow(NSObject* tableView, NSObject* indexPath);
    objc::Ref<CountingTableView> table;
    objc::Ref<UITableViewCell> cell;
    int appearances{0};
};

// MailboxListViewControllerMail.
class TestFolderList : public UIViewController {
public:
    void updateTitle() { ++titleUpdates; }
    int titleUpdates{0};
};

class TestMailApp : public NSObject {
public:
    bool didFinishLaunching(NSObject* application, NSObject* options);
    int launches{0};
};

// MailboxContentViewController: the message list with its edit-mode selection and Move
// button; it logs what the host is asked to do, in order, in `calls`.
class TestMessageListController : public UIViewController {
public:
    CountingTableView* tableView() const { return table.get(); }
    CountingTableView* currentTableView() const { return table.get(); }
    void setMailboxes(std::vector<objc::Ref<NSObject>> mailboxes, NSInteger sourceType);
    void setSourceType(NSInteger sourceType);
    void addSource(NSObject* source, NSInteger section);
    void setInEditMode(bool editing, bool animated);
    void updateToolbarButtons();
    void updateBarButtons();
    void willBeginSearch(NSObject* searchController);
    void willEndSearch(NSObject* searchController);
    UIBarButtonItem* moveButtonItem() const { return shownMoveItem.get(); }
    void bulkMarkSelection(NSObject* selection, bool read);
    void transferButtonClicked(NSObject* sender);

    objc::Ref<CountingTableView> table;
    objc::Ref<NSObject> selectionModel;       // _selectionModel
    objc::Ref<UIBarButtonItem> moveItem;      // _moveButtonItem
    objc::Ref<UIBarButtonItem> shownMoveItem; // what moveButtonItem answers
    std::vector<objc::Ref<NSObject>> mailboxes;
    std::vector<std::string> calls;
};

// Edit mode's selection, and the source objects of the all-inboxes list
// (ThreadedMiniMallSource) and of one mailbox.
class TestSelectionModel : public NSObject {};
class TestThreadedSource : public NSObject {};
class TestMailboxSource : public NSObject {};

// Registers every class above under the host's name; idempotent.
void registerTestHostClasses();

} // namespace tintbox::testing
