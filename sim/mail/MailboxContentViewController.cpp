#include "sim/mail/MailboxContentViewController.hpp"

#include "platform/uikit/UIScreen.hpp"
#include "sim/mail/MailMessage.hpp"
#include "sim/mail/Mailbox.hpp"
#include "sim/mail/MailboxContentViewCell.hpp"
#include "sim/mail/table_cells.hpp"

#include <algorithm>

Class MailboxContentViewController::registerRuntimeClass() {
    UIViewController::registerRuntimeClass();
    UITableView::registerRuntimeClass();
    MailboxContentViewCell::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<MailboxContentViewController, UIViewController>(
            "MailboxContentViewController")
            .method<&MailboxContentViewController::loadView>("loadView")
            .method<&MailboxContentViewController::tableView>("tableView")
            .method<&MailboxContentViewController::currentTableView>("currentTableView")
            .method<&MailboxContentViewController::setMailboxes>("setMailboxes:sourceType:")
            .method<&MailboxContentViewController::numberOfRows>("tableView:numberOfRowsInSection:")
            .method<&MailboxContentViewController::cellForRow>("tableView:cellForRowAtIndexPath:");
    return cls;
}

void MailboxContentViewController::loadView() {
    const CGRect bounds = UIScreen::mainScreen()->bounds();
    auto view = UIView::withFrame(bounds);
    view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    m_tableView = UITableView::withFrameAndStyle(bounds, UITableViewStylePlain);
    m_tableView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                     UIViewAutoresizingFlexibleHeight);
    m_tableView->setDataSource(this);
    m_tableView->setDelegate(this);
    view->addSubview(m_tableView.get());
    setView(view.get());
}

UITableView* MailboxContentViewController::tableView() {
    view();
    return m_tableView.get();
}

void MailboxContentViewController::setMailboxes(std::vector<objc::Ref<NSObject>> mailboxes,
                                                NSInteger sourceType) {
    m_mailboxes = std::move(mailboxes);
    m_sourceType = sourceType;
    listMessages();
    if (m_tableView)
        m_tableView->reloadData();
}

void MailboxContentViewController::listMessages() {
    std::vector<MailMessage*> listed;
    for (const auto& object : m_mailboxes) {
        auto* mailbox = dynamic_cast<Mailbox*>(object.get());
        if (!mailbox)
            continue;
        for (const auto& message : mailbox->messages()) {
            const bool wanted = m_sourceType == kSourceFlagged  ? message->isFlagged()
                                : m_sourceType == kSourceUnread ? !message->isRead()
                                                                : true;
            if (wanted)
                listed.push_back(message.get());
        }
    }
    std::stable_sort(listed.begin(), listed.end(),
                     [](MailMessage* a, MailMessage* b) { return a->dateSent() > b->dateSent(); });
    m_messages.assign(listed.begin(), listed.end());
}

NSInteger MailboxContentViewController::numberOfRows(id, NSInteger section) const {
    return section == 0 ? static_cast<NSInteger>(m_messages.size()) : 0;
}

objc::Ref<NSObject> MailboxContentViewController::cellForRow(id table, id indexPath) {
    auto* path = dynamic_cast<NSIndexPath*>(indexPath);
    auto* tableView = dynamic_cast<UITableView*>(table);
    const auto row = static_cast<std::size_t>(path ? path->row() : -1);
    auto cell = tintbox::sim::mail::dequeueOrMakeCell(tableView, "MailboxContentViewCell",
                                                      MailboxContentViewCell::kReuseIdentifier);
    if (row < m_messages.size()) {
        static const SEL setMessage = sel_registerName("setMessage:threaded:");
        objc::msgSend<void(id, bool)>(cell, setMessage, m_messages[row].get(), false);
    }
    return cell;
}
