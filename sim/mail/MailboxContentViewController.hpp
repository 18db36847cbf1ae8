// MailboxContentViewController: the message list of one or more mailboxes, as the host names
// it. Its view is its table; rows are MailboxContentViewCells, made, reused and filled through
// the runtime (initWithStyle:reuseIdentifier:, dequeue, setMessage:threaded:).
// Every method a plug-in may replace is reached through the runtime where the host would call
// it, with these runtime signatures:
//   setMailboxes:sourceType:        void(std::vector<objc::Ref<NSObject>>, NSInteger)
//     keeps the mailboxes, then sends setSourceType: and _addSource:toSection: with a new source
//   setSourceType:                  void(NSInteger)  0 all, 2 flagged only, 3 unread only
//   _addSource:toSection:           void(id, NSInteger)  lists the source's messages
//   _setInEditMode:animated:        void(bool, bool)  then updateBarButtons, updateToolbarButtons
//   updateBarButtons, updateToolbarButtons   void()
//   moveButtonItem                  UIBarButtonItem*  (also the ivar _moveButtonItem)
//   _selectionModel (ivar)          Ref<MessageSelectionModel>, set in edit mode only
//   _bulkMarkSelection:asRead:      void(id, bool)
//   transferButtonClicked:          void(id)  opens the move sheet for the selection
//   searchDisplayControllerWillBeginSearch: / ...WillEndSearch:   void(id)
//   auto list = UIViewController::create<MailboxContentViewController>();
//   objc::msgSend<void(std::vector<objc::Ref<NSObject>>, NSInteger)>(list, setMailboxes, {inbox},
//   0);
#pragma once

#include "platform/uikit/UIBarButtonItem.hpp"
#include "platform/uikit/UITableView.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "sim/mail/MessageSelectionModel.hpp"
#include "sim/mail/MessageSource.hpp"
#include "sim/mail/MoveSheetController.hpp"

#include <string>
#include <vector>

class Mailbox;

class MailboxContentViewController : public UIViewController {
public:
    static Class registerRuntimeClass();

    static constexpr NSInteger kSourceAll = 0;
    static constexpr NSInteger kSourceFlagged = 2;
    static constexpr NSInteger kSourceUnread = 3;

    // One message's part in the last move: where it went, or why it stayed.
    struct MoveOutcome {
        std::string identifier;
        std::string subject;
        std::string from;
        std::string to;
        bool marked{false}; // read (Maildir flag S) when the move was asked
        std::string error;  // empty when moved
    };

    MailboxContentViewController* init();
    void loadView();
    void viewDidAppear(bool animated);
    UITableView* tableView();
    // The table shown now; there is no search table here, so the same one.
    UITableView* currentTableView() { return tableView(); }

    void setMailboxes(std::vector<objc::Ref<NSObject>> mailboxes, NSInteger sourceType);
    void setSourceType(NSInteger sourceType);
    void addSource(NSObject* source, NSInteger section);
    const std::vector<objc::Ref<NSObject>>& mailboxes() const { return m_mailboxes; }
    NSInteger sourceType() const { return m_sourceType; }
    MessageSource* source() const { return m_source.get(); }
    // The listed messages, in row order.
    const std::vector<objc::Ref<NSObject>>& messages() const { return m_messages; }
    // Lists the source's messages again (after the disk changed) and reloads the table.
    void relist();

    // Edit mode: Edit in the navigation bar enters it (Cancel leaves it); rows are then chosen
    // into the selection model, and the toolbar offers Mark as Read and Move.
    void setInEditMode(bool editing, bool animated);
    bool isInEditMode() const { return m_inEditMode; }
    MessageSelectionModel* selectionModel() const { return m_selectionModel.get(); }
    void updateBarButtons();
    void updateToolbarButtons();
    UIBarButtonItem* moveButtonItem() const { return m_moveButtonItem.get(); }
    UIBarButtonItem* markButtonItem() const { return m_markButtonItem.get(); }
    void editButtonClicked(NSObject* sender);
    void markButtonClicked(NSObject* sender);
    void bulkMarkSelection(NSObject* selection, bool read);

    // The move sheet: opened by Move for a selection that is not empty; choosing a mailbox in
    // it moves the selection there (then the list leaves edit mode).
    void transferButtonClicked(NSObject* sender);
    MoveSheetController* moveSheet() const { return m_moveSheet.get(); }
    void moveSelectionToMailbox(NSObject* mailbox);
    void dismissMoveSheet(NSObject* sheet);
    const std::vector<MoveOutcome>& lastMove() const { return m_lastMove; }

    // The search display controller's begin and end, sent through the runtime.
    void beginSearch();
    void endSearch();
    bool isSearching() const { return m_searching; }
    void searchWillBegin(NSObject* searchDisplayController);
    void searchWillEnd(NSObject* searchDisplayController);

    // The table's data source and delegate.
    NSInteger numberOfRows(id tableView, NSInteger section) const;
    objc::Ref<NSObject> cellForRow(id tableView, id indexPath);
    void didSelectRow(id tableView, id indexPath);
    // Outside edit mode a tap on a message opens it on the navigation stack.
    void openMessageAt(id tableView, id indexPath);
    void didDeselectRow(id tableView, id indexPath);

private:
    NSObject* messageAt(id indexPath) const;
    // Sends setMessage:threaded: to every shown row again, so they show changed flags.
    void refillRows();
    std::vector<objc::Ref<Mailbox>> moveTargets() const;

    objc::Ref<UITableView> m_tableView;
    std::vector<objc::Ref<NSObject>> m_mailboxes;
    std::vector<objc::Ref<NSObject>> m_messages;
    objc::Ref<MessageSource> m_source;
    NSInteger m_sourceType{kSourceAll};
    bool m_inEditMode{false};
    bool m_searching{false};
    bool m_appeared{false};
    objc::Ref<MessageSelectionModel> m_selectionModel;
    objc::Ref<UIBarButtonItem> m_moveButtonItem;
    objc::Ref<UIBarButtonItem> m_markButtonItem;
    objc::Ref<UIBarButtonItem> m_editButtonItem;
    objc::Ref<MoveSheetController> m_moveSheet;
    std::vector<MoveOutcome> m_lastMove;
};
