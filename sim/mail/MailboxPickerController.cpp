#include "sim/mail/MailboxPickerController.hpp"

#include "platform/uikit/UINavigationController.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "sim/mail/MailAccount.hpp"
#include "sim/mail/Mailbox.hpp"
#include "sim/mail/MailboxContentViewController.hpp"
#include "sim/mail/MailboxTableCell.hpp"
#include "sim/mail/screen_controllers.hpp"
#include "sim/mail/table_cells.hpp"

namespace {

SEL sel(const char* name) {
    return sel_registerName(name);
}

// The table's data source: forwards each question to the controller through the runtime, so
// the controller's methods (and their replacements) answer, and takes the borrowed cell over.
class MailboxPickerTableSource : public NSObject {
public:
    static Class registerRuntimeClass() {
        static const Class cls =
            objc::ClassBuilder<MailboxPickerTableSource>("MailboxPickerTableSource")
                .method<&MailboxPickerTableSource::numberOfSections>("numberOfSectionsInTableView:")
                .method<&MailboxPickerTableSource::numberOfRows>("tableView:numberOfRowsInSection:")
                .method<&MailboxPickerTableSource::titleForHeader>(
                    "tableView:titleForHeaderInSection:")
                .method<&MailboxPickerTableSource::cellForRow>("tableView:cellForRowAtIndexPath:");
        return cls;
    }

    explicit MailboxPickerTableSource(NSObject* owner = nullptr) : m_owner(owner) {}

    NSInteger numberOfSections(id table) const {
        return objc::msgSend<NSInteger(id)>(m_owner.get(), sel("numberOfSectionsInTableView:"),
                                            table);
    }
    NSInteger numberOfRows(id table, NSInteger section) const {
        return objc::msgSend<NSInteger(id, NSInteger)>(
            m_owner.get(), sel("tableView:numberOfRowsInSection:"), table, section);
    }
    std::string titleForHeader(id table, NSInteger section) const {
        return objc::msgSend<std::string(id, NSInteger)>(
            m_owner.get(), sel("tableView:titleForHeaderInSection:"), table, section);
    }
    objc::Ref<NSObject> cellForRow(id table, id indexPath) const {
        return objc::Ref<NSObject>(objc::msgSend<id(id, id)>(
            m_owner.get(), sel("tableView:cellForRowAtIndexPath:"), table, indexPath));
    }

private:
    objc::WeakRef<NSObject> m_owner;
};

} // namespace

Class MailboxPickerController::registerRuntimeClass() {
    MailboxPickerTableSource::registerRuntimeClass();
    UIViewController::registerRuntimeClass();
    UITableView::registerRuntimeClass();
    MailboxTableCell::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<MailboxPickerController, UIViewController>("MailboxPickerController")
            .method<&MailboxPickerController::init>("init")
            .method<&MailboxPickerController::loadView>("loadView")
            .method<&MailboxPickerController::tableView>("tableView")
            .method<&MailboxPickerController::numberOfSections>("numberOfSectionsInTableView:")
            .method<&MailboxPickerController::numberOfRows>("tableView:numberOfRowsInSection:")
            .method<&MailboxPickerController::titleForHeader>("tableView:titleForHeaderInSection:")
            .method<&MailboxPickerController::cellForRow>("tableView:cellForRowAtIndexPath:")
            .method<&MailboxPickerController::didSelectRow>("tableView:didSelectRowAtIndexPath:");
    return cls;
}

MailboxPickerController* MailboxPickerController::init() {
    setTitle("Mailboxes");
    listAccounts();
    return this;
}

void MailboxPickerController::listAccounts() {
    static const SEL activeAccounts = sel_registerName("activeAccounts");
    m_sections.clear();
    Section inboxes;
    Row allInboxes{kAllInboxesTitle, "", 0, {}};
    std::vector<Section> accountSections;
    for (const auto& object : objc::msgSendClass<std::vector<objc::Ref<NSObject>>()>(
             objc_getClass("MailAccount"), activeAccounts)) {
        auto* account = dynamic_cast<MailAccount*>(object.get());
        if (!account)
            continue;
        Section section{account->displayName(), {}};
        for (const auto& mailbox : account->mailboxes()) {
            const NSInteger unread = mailbox->unreadCount();
            section.rows.push_back(
                {mailbox->displayName(), account->displayName(), unread, {mailbox}});
            if (mailbox.get() == account->inbox()) {
                allInboxes.unreadCount += unread;
                allInboxes.mailboxes.push_back(mailbox);
            }
        }
        accountSections.push_back(std::move(section));
    }
    inboxes.rows.push_back(std::move(allInboxes));
    m_sections.push_back(std::move(inboxes));
    for (auto& section : accountSections)
        m_sections.push_back(std::move(section));
    if (m_tableView)
        m_tableView->reloadData();
}

void MailboxPickerController::loadView() {
    const CGRect bounds = UIScreen::mainScreen()->bounds();
    m_tableView = UITableView::withFrameAndStyle(bounds, UITableViewStylePlain);
    m_tableView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                     UIViewAutoresizingFlexibleHeight);
    m_tableSource = objc::make<MailboxPickerTableSource>(this);
    m_tableView->setDataSource(m_tableSource.get());
    m_tableView->setDelegate(this);
    setView(m_tableView.get());
}

UITableView* MailboxPickerController::tableView() {
    view();
    return m_tableView.get();
}

NSInteger MailboxPickerController::numberOfSections(id) const {
    return static_cast<NSInteger>(m_sections.size());
}

NSInteger MailboxPickerController::numberOfRows(id, NSInteger section) const {
    if (section < 0 || section >= numberOfSections(nullptr))
        return 0;
    return static_cast<NSInteger>(m_sections[static_cast<std::size_t>(section)].rows.size());
}

std::string MailboxPickerController::titleForHeader(id, NSInteger section) const {
    if (section < 0 || section >= numberOfSections(nullptr))
        return {};
    return m_sections[static_cast<std::size_t>(section)].header;
}

const MailboxPickerController::Row* MailboxPickerController::rowAt(id indexPath) const {
    auto* path = dynamic_cast<NSIndexPath*>(indexPath);
    if (!path || path->section() < 0 || path->row() < 0 ||
        path->row() >= numberOfRows(nullptr, path->section()))
        return nullptr;
    return &m_sections[static_cast<std::size_t>(path->section())]
                .rows[static_cast<std::size_t>(path->row())];
}

NSObject* MailboxPickerController::cellForRow(id table, id indexPath) {
    static const SEL updateUnreadCount = sel_registerName("_updateUnreadCount");
    auto cell = tintbox::sim::mail::dequeueOrMakeCell(
        dynamic_cast<UITableView*>(table), "MailboxTableCell", MailboxTableCell::kReuseIdentifier);
    if (auto* mailboxCell = dynamic_cast<MailboxTableCell*>(cell.get())) {
        if (const Row* row = rowAt(indexPath))
            mailboxCell->setMailboxRow(row->title, row->subtitle, row->unreadCount);
        objc::msgSend<void()>(cell, updateUnreadCount);
    }
    m_handedOutCell = cell;
    return cell.get();
}

void MailboxPickerController::didSelectRow(id table, id indexPath) {
    const Row* row = rowAt(indexPath);
    UINavigationController* navigation = navigationController();
    if (auto* tableView = dynamic_cast<UITableView*>(table))
        tableView->deselectRowAtIndexPath(dynamic_cast<NSIndexPath*>(indexPath), false);
    if (!row || !navigation)
        return;
    auto list = tintbox::sim::mail::makeMessageListController(row->mailboxes, row->title);
    navigation->pushViewControllerAnimated(list.get(), true);
}
