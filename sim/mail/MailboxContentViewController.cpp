#include "sim/mail/MailboxContentViewController.hpp"

#include "platform/uikit/UINavigationController.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "sim/mail/MailAccount.hpp"
#include "sim/mail/MailMessage.hpp"
#include "sim/mail/Mailbox.hpp"
#include "sim/mail/MailboxContentViewCell.hpp"
#include "sim/mail/MessageSelectionModel.hpp"
#include "sim/mail/MessageSource.hpp"
#include "sim/mail/MoveSheetController.hpp"
#include "sim/mail/screen_controllers.hpp"
#include "sim/mail/table_cells.hpp"

#include <algorithm>
#include <iostream>

namespace {

SEL sel(const char* name) {
    return sel_registerName(name);
}

using Mailboxes = std::vector<objc::Ref<NSObject>>;

} // namespace

Class MailboxContentViewController::registerRuntimeClass() {
    UIViewController::registerRuntimeClass();
    UITableView::registerRuntimeClass();
    UIBarButtonItem::registerRuntimeClass();
    MailboxContentViewCell::registerRuntimeClass();
    MessageSource::registerRuntimeClass();
    MailboxSource::registerRuntimeClass();
    ThreadedMiniMallSource::registerRuntimeClass();
    MessageSelectionModel::registerRuntimeClass();
    MoveSheetController::registerRuntimeClass();
    using C = MailboxContentViewController;
    static const Class cls =
        objc::ClassBuilder<C, UIViewController>("MailboxContentViewController")
            .method<&C::init>("init")
            .method<&C::loadView>("loadView")
            .method<&C::viewDidAppear>("viewDidAppear:")
            .method<&C::tableView>("tableView")
            .method<&C::currentTableView>("currentTableView")
            .method<&C::setMailboxes>("setMailboxes:sourceType:")
            .method<&C::setSourceType>("setSourceType:")
            .method<&C::addSource>("_addSource:toSection:")
            .method<&C::setInEditMode>("_setInEditMode:animated:")
            .method<&C::updateBarButtons>("updateBarButtons")
            .method<&C::updateToolbarButtons>("updateToolbarButtons")
            .method<&C::moveButtonItem>("moveButtonItem")
            .method<&C::editButtonClicked>("editButtonClicked:")
            .method<&C::markButtonClicked>("markButtonClicked:")
            .method<&C::bulkMarkSelection>("_bulkMarkSelection:asRead:")
            .method<&C::transferButtonClicked>("transferButtonClicked:")
            .method<&C::moveSelectionToMailbox>("moveSelectionToMailbox:")
            .method<&C::dismissMoveSheet>("dismissMoveSheet:")
            .method<&C::searchWillBegin>("searchDisplayControllerWillBeginSearch:")
            .method<&C::searchWillEnd>("searchDisplayControllerWillEndSearch:")
            .method<&C::numberOfRows>("tableView:numberOfRowsInSection:")
            .method<&C::cellForRow>("tableView:cellForRowAtIndexPath:")
            .method<&C::didSelectRow>("tableView:didSelectRowAtIndexPath:")
            .method<&C::didDeselectRow>("tableView:didDeselectRowAtIndexPath:")
            .ivar<&C::m_selectionModel>("_selectionModel")
            .ivar<&C::m_moveButtonItem>("_moveButtonItem");
    return cls;
}

MailboxContentViewController* MailboxContentViewController::init() {
    objc::msgSend<void()>(this, sel("updateBarButtons"));
    return this;
}

void MailboxContentViewController::loadView() {
    // As on the host, the view is the table itself, so what a plug-in adds to the view scrolls
    // with the rows and may sit in the table's top inset.
    m_tableView =
        UITableView::withFrameAndStyle(UIScreen::mainScreen()->bounds(), UITableViewStylePlain);
    m_tableView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                     UIViewAutoresizingFlexibleHeight);
    m_tableView->setClipsToBounds(true); // a scroll view shows only what lies in its bounds
    m_tableView->setAllowsSelectionDuringEditing(true);
    m_tableView->setAllowsMultipleSelectionDuringEditing(true);
    m_tableView->setDataSource(this);
    m_tableView->setDelegate(this);
    setView(m_tableView.get());
}

void MailboxContentViewController::viewDidAppear(bool) {
    // A list opened afresh shows its top, the top inset included (where a plug-in may have
    // put a bar of its own); coming back to it keeps where the user left it.
    if (m_appeared)
        return;
    m_appeared = true;
    UITableView* table = tableView();
    table->setContentOffset(CGPointMake(0, -table->contentInset().top));
}

UITableView* MailboxContentViewController::tableView() {
    view();
    return m_tableView.get();
}

void MailboxContentViewController::setMailboxes(Mailboxes mailboxes, NSInteger sourceType) {
    m_mailboxes = std::move(mailboxes);
    m_source = nullptr;
    objc::msgSend<void(NSInteger)>(this, sel("setSourceType:"), sourceType);
    auto source = MessageSource::forMailboxes(m_mailboxes, m_sourceType);
    objc::msgSend<void(id, NSInteger)>(this, sel("_addSource:toSection:"), source.get(), 0L);
}

void MailboxContentViewController::setSourceType(NSInteger sourceType) {
    m_sourceType = sourceType;
    if (m_source) {
        m_source->setSourceType(sourceType);
        relist();
    }
}

void MailboxContentViewController::addSource(NSObject* source, NSInteger) {
    m_source = dynamic_cast<MessageSource*>(source);
    relist();
}

void MailboxContentViewController::relist() {
    m_messages = m_source ? m_source->listMessages() : std::vector<objc::Ref<NSObject>>{};
    if (m_selectionModel)
        m_selectionModel->removeAll();
    if (m_tableView)
        m_tableView->reloadData();
}

void MailboxContentViewController::setInEditMode(bool editing, bool animated) {
    m_inEditMode = editing;
    setEditing(editing);
    tableView()->setEditingAnimated(editing, animated);
    if (editing) {
        m_selectionModel = objc::make<MessageSelectionModel>();
    } else {
        m_selectionModel = nullptr;
        for (const auto& path : m_tableView->indexPathsForSelectedRows())
            m_tableView->deselectRowAtIndexPath(path.get(), false);
    }
    objc::msgSend<void()>(this, sel("updateBarButtons"));
    objc::msgSend<void()>(this, sel("updateToolbarButtons"));
    if (UINavigationController* navigation = navigationController()) {
        navigation->setToolbarHiddenAnimated(!editing, animated);
        navigation->view()->layoutIfNeeded();
    }
}

void MailboxContentViewController::updateBarButtons() {
    m_editButtonItem = UIBarButtonItem::withSystemItem(m_inEditMode ? UIBarButtonSystemItemCancel
                                                                    : UIBarButtonSystemItemEdit,
                                                       this, sel("editButtonClicked:"));
    navigationItem()->setRightBarButtonItem(m_editButtonItem.get());
}

void MailboxContentViewController::updateToolbarButtons() {
    if (!m_inEditMode) {
        setToolbarItems({});
        return;
    }
    if (!m_moveButtonItem) {
        m_markButtonItem = UIBarButtonItem::withTitle("Mark as Read", UIBarButtonItemStylePlain,
                                                      this, sel("markButtonClicked:"));
        m_moveButtonItem = UIBarButtonItem::withTitle("Move", UIBarButtonItemStylePlain, this,
                                                      sel("transferButtonClicked:"));
    }
    const bool chosen = m_selectionModel && m_selectionModel->count() > 0;
    m_markButtonItem->setEnabled(chosen);
    m_moveButtonItem->setEnabled(chosen);
    setToolbarItems(
        {m_markButtonItem,
         UIBarButtonItem::withSystemItem(UIBarButtonSystemItemFlexibleSpace, nullptr, nullptr),
         m_moveButtonItem});
}

void MailboxContentViewController::editButtonClicked(NSObject*) {
    objc::msgSend<void(bool, bool)>(this, sel("_setInEditMode:animated:"), !m_inEditMode, true);
}

void MailboxContentViewController::markButtonClicked(NSObject*) {
    if (!m_selectionModel)
        return;
    objc::msgSend<void(id, bool)>(this, sel("_bulkMarkSelection:asRead:"), m_selectionModel.get(),
                                  true);
    objc::msgSend<void(bool, bool)>(this, sel("_setInEditMode:animated:"), false, true);
}

void MailboxContentViewController::bulkMarkSelection(NSObject* selection, bool read) {
    auto* model = dynamic_cast<MessageSelectionModel*>(selection);
    if (!model)
        return;
    for (const auto& object : model->messages()) {
        auto* message = dynamic_cast<MailMessage*>(object.get());
        std::string error;
        if (message && message->isRead() != read && !message->setRead(read, &error))
            std::cerr << "tintbox: " << error << '\n';
    }
    refillRows();
}

void MailboxContentViewController::refillRows() {
    if (!m_tableView)
        return;
    for (UITableViewCell* cell : m_tableView->visibleCells()) {
        objc::Ref<NSIndexPath> path = m_tableView->indexPathForCell(cell);
        if (NSObject* message = messageAt(path.get()))
            objc::msgSend<void(id, bool)>(cell, sel("setMessage:threaded:"), message, false);
    }
    m_tableView->setNeedsLayout();
    m_tableView->layoutIfNeeded();
}

std::vector<objc::Ref<Mailbox>> MailboxContentViewController::moveTargets() const {
    std::vector<objc::Ref<Mailbox>> targets;
    std::vector<MailAccount*> accounts;
    for (const auto& object : m_selectionModel->messages()) {
        auto* message = dynamic_cast<MailMessage*>(object.get());
        MailAccount* account = message ? message->account() : nullptr;
        if (!account || std::find(accounts.begin(), accounts.end(), account) != accounts.end())
            continue;
        accounts.push_back(account);
        for (const auto& mailbox : account->mailboxes())
            targets.push_back(mailbox);
    }
    return targets;
}

void MailboxContentViewController::transferButtonClicked(NSObject*) {
    if (!m_selectionModel || m_selectionModel->count() == 0)
        return;
    if (m_moveSheet)
        return; // already open: one sheet for one press
    m_moveSheet = MoveSheetController::forList(this, moveTargets());
    if (UINavigationController* navigation = navigationController()) {
        navigation->pushViewControllerAnimated(m_moveSheet.get(), true);
        navigation->view()->layoutIfNeeded();
    }
}

void MailboxContentViewController::moveSelectionToMailbox(NSObject* object) {
    auto* target = dynamic_cast<Mailbox*>(object);
    if (!target || !m_selectionModel)
        return;
    objc::Ref<MailboxContentViewController> keep(this);
    m_lastMove.clear();
    for (const auto& selected : m_selectionModel->messages()) {
        auto* message = dynamic_cast<MailMessage*>(selected.get());
        if (!message)
            continue;
        Mailbox* from = message->mailbox();
        MoveOutcome outcome{message->messageIdentifier(),
                            message->subject().value_or(""),
                            from ? from->displayName() : std::string(),
                            target->displayName(),
                            message->isRead(),
                            {}};
        if (from == target)
            outcome.error = "already in " + target->displayName();
        else
            message->moveToMailbox(*target, &outcome.error);
        m_lastMove.push_back(std::move(outcome));
    }
    dismissMoveSheet(m_moveSheet.get());
    relist();
    objc::msgSend<void(bool, bool)>(this, sel("_setInEditMode:animated:"), false, true);
}

void MailboxContentViewController::dismissMoveSheet(NSObject* sheet) {
    if (!m_moveSheet || sheet != m_moveSheet.get())
        return;
    objc::Ref<MoveSheetController> closing = std::move(m_moveSheet);
    UINavigationController* navigation = navigationController();
    if (navigation && navigation->topViewController() == closing.get()) {
        navigation->popViewControllerAnimated(true);
        navigation->view()->layoutIfNeeded();
    }
}

void MailboxContentViewController::beginSearch() {
    objc::msgSend<void(id)>(this, sel("searchDisplayControllerWillBeginSearch:"), nullptr);
}

void MailboxContentViewController::endSearch() {
    objc::msgSend<void(id)>(this, sel("searchDisplayControllerWillEndSearch:"), nullptr);
}

void MailboxContentViewController::searchWillBegin(NSObject*) {
    m_searching = true;
}

void MailboxContentViewController::searchWillEnd(NSObject*) {
    m_searching = false;
}

NSObject* MailboxContentViewController::messageAt(id indexPath) const {
    auto* path = dynamic_cast<NSIndexPath*>(indexPath);
    if (!path || path->section() != 0 || path->row() < 0 ||
        path->row() >= static_cast<NSInteger>(m_messages.size()))
        return nullptr;
    return m_messages[static_cast<std::size_t>(path->row())].get();
}

NSInteger MailboxContentViewController::numberOfRows(id, NSInteger section) const {
    return section == 0 ? static_cast<NSInteger>(m_messages.size()) : 0;
}

objc::Ref<NSObject> MailboxContentViewController::cellForRow(id table, id indexPath) {
    auto cell = tintbox::sim::mail::dequeueOrMakeCell(dynamic_cast<UITableView*>(table),
                                                      "MailboxContentViewCell",
                                                      MailboxContentViewCell::kReuseIdentifier);
    if (NSObject* message = messageAt(indexPath))
        objc::msgSend<void(id, bool)>(cell, sel("setMessage:threaded:"), message, false);
    return cell;
}

void MailboxContentViewController::didSelectRow(id table, id indexPath) {
    if (!m_inEditMode) {
        openMessageAt(table, indexPath);
        return;
    }
    if (!m_selectionModel)
        return;
    m_selectionModel->add(messageAt(indexPath));
    objc::msgSend<void()>(this, sel("updateToolbarButtons"));
}

void MailboxContentViewController::openMessageAt(id table, id indexPath) {
    auto* message = dynamic_cast<MailMessage*>(messageAt(indexPath));
    UINavigationController* navigation = navigationController();
    if (auto* tableView = dynamic_cast<UITableView*>(table))
        tableView->deselectRowAtIndexPath(dynamic_cast<NSIndexPath*>(indexPath), false);
    if (!message || !navigation)
        return;
    const CGRect area = view()->bounds();
    navigation->pushViewControllerAnimated(
        tintbox::sim::mail::makeMessageController(*message, area.size, true).get(), true);
}

void MailboxContentViewController::didDeselectRow(id, id indexPath) {
    if (!m_inEditMode || !m_selectionModel)
        return;
    m_selectionModel->remove(messageAt(indexPath));
    objc::msgSend<void()>(this, sel("updateToolbarButtons"));
}
