#include "tests/mailhooks/test_host.hpp"

#include "platform/uikit/UIColor.hpp"

namespace tintbox::testing {

std::vector<objc::Ref<NSObject>>& activeTestAccounts() {
    static std::vector<objc::Ref<NSObject>> accounts;
    return accounts;
}

void TestMessageCell::setMessage(NSObject*, bool threaded) {
    ++messagesSet;
    lastThreaded = threaded;
}

TestContentLayer* TestContentLayer::initContentLayer(CGRect frame) {
    initWithFrame(frame);
    header = UIView::withFrame<TestHeaderView>(CGRectMake(0, 0, frame.size.width, 100));
    header->subject = CGRectMake(20, 30, 200, 20);
    addSubview(header.get());
    return this;
}

void TestContentLayer::displayMessage(NSObject*, NSInteger) {
    ++messagesShown;
}

TestMailboxCell* TestMailboxCell::initMailboxCell(NSInteger style, std::string reuseIdentifier) {
    initWithStyle(style, std::move(reuseIdentifier));
    titleLabel = UIView::withFrame<UILabel>(CGRectMake(40, 2, 200, 20));
    subtitleLabel = UIView::withFrame<UILabel>(CGRectMake(40, 22, 200, 20));
    unreadCountLabel = UIView::withFrame<UILabel>(CGRectMake(260, 12, 30, 20));
    iconImageView = UIView::withFrame<UIImageView>(CGRectMake(4, 8, 28, 28));
    for (UIView* view :
         {static_cast<UIView*>(iconImageView.get()), static_cast<UIView*>(titleLabel.get()),
          static_cast<UIView*>(subtitleLabel.get()),
          static_cast<UIView*>(unreadCountLabel.get())}) {
        view->setBackgroundColor(UIColor::whiteColor().get());
        contentView()->addSubview(view);
    }
    return this;
}

void TestMailboxCell::updateUnreadCount() {
    unreadCountLabel->setBackgroundColor(UIColor::whiteColor().get());
}

NSObject* TestMailboxPicker::cellForRow(NSObject*, NSObject*) {
    return cell.get();
}

bool TestMailApp::didFinishLaunching(NSObject*, NSObject*) {
    ++launches;
    return true;
}

void TestMessageListController::setMailboxes(std::vector<objc::Ref<NSObject>> given,
                                             NSInteger sourceType) {
    mailboxes = std::move(given);
    calls.push_back("setMailboxes " + std::to_string(sourceType));
}

void TestMessageListController::setSourceType(NSInteger sourceType) {
    calls.push_back("setSourceType " + std::to_string(sourceType));
}

void TestMessageListController::addSource(NSObject*, NSInteger section) {
    calls.push_back("addSource " + std::to_string(section));
}

void TestMessageListController::setInEditMode(bool editing, bool) {
    setEditing(editing);
    calls.push_back(editing ? "editMode on" : "editMode off");
}

void TestMessageListController::updateToolbarButtons() {
    calls.push_back("updateToolbarButtons");
}

void TestMessageListController::updateBarButtons() {
    calls.push_back("updateBarButtons");
}

// Each search call notes how often the table was reloaded before it.
void TestMessageListController::willBeginSearch(NSObject*) {
    calls.push_back("beginSearch after " + std::to_string(table ? table->reloads : 0) + " reloads");
}

void TestMessageListController::willEndSearch(NSObject*) {
    calls.push_back("endSearch");
}

void TestMessageListController::bulkMarkSelection(NSObject* selection, bool read) {
    calls.push_back(std::string(selection == selectionModel.get() ? "mark selection" : "mark ?") +
                    (read ? " read" : " unread"));
}

void TestMessageListController::transferButtonClicked(NSObject* sender) {
    calls.push_back(sender == moveItem.get() ? "move sheet" : "move sheet ?");
}

void registerTestHostClasses() {
    static const bool registered = [] {
        UITableViewCell::registerRuntimeClass();
        UITableView::registerRuntimeClass();
        UIViewController::registerRuntimeClass();
        UILabel::registerRuntimeClass();
        UIImageView::registerRuntimeClass();

        objc::ClassBuilder<TestAccount>("MailAccount")
            .method<&TestAccount::displayName>("displayName")
            .classMethod(
                "activeAccounts", +[](Class, SEL) { return activeTestAccounts(); });
        objc::ClassBuilder<TestLocalAccount, TestAccount>("LocalAccount");
        objc::ClassBuilder<TestMessage>("MailMessage")
            .method<&TestMessage::subject>("subject")
            .method<&TestMessage::senders>("senders")
            .method<&TestMessage::to>("to")
            .method<&TestMessage::cc>("cc")
            .method<&TestMessage::account>("account");
        objc::ClassBuilder<TestViewingObject>("MessageViewingContext")
            .method<&TestViewingObject::message>("message");
        objc::ClassBuilder<TestMessageCell, UITableViewCell>("MailboxContentViewCell")
            .method<&TestMessageCell::initWithStyle>("initWithStyle:reuseIdentifier:")
            .method<&TestMessageCell::layoutSubviews>("layoutSubviews")
            .method<&TestMessageCell::setMessage>("setMessage:threaded:");
        objc::ClassBuilder<TestHeaderView, UIView>("MessageHeaderView")
            .method<&TestHeaderView::subjectFrame>("subjectFrame");
        objc::ClassBuilder<TestContentLayer, UIView>("MessageContentLayer")
            .method<&TestContentLayer::initContentLayer>("initWithFrame:")
            .method<&TestContentLayer::layoutSubviews>("layoutSubviews")
            .method<&TestContentLayer::displayMessage>("displayMessage:withStyle:")
            .method<&TestContentLayer::headerView>("headerView");
        objc::ClassBuilder<TestMailboxCell, UITableViewCell>("MailboxTableCell")
            .method<&TestMailboxCell::initMailboxCell>("initWithStyle:reuseIdentifier:")
            .method<&TestMailboxCell::updateUnreadCount>("_updateUnreadCount")
            .ivar<&TestMailboxCell::titleLabel>("_titleLabel")
            .ivar<&TestMailboxCell::subtitleLabel>("_subtitleLabel")
            .ivar<&TestMailboxCell::unreadCountLabel>("_unreadCountLabel")
            .ivar<&TestMailboxCell::iconImageView>("_iconImageView");
        objc::ClassBuilder<CountingTableView, UITableView>("CountingTableView")
            .method<&CountingTableView::countReload>("reloadData");
        objc::ClassBuilder<TestMailboxPicker, UIViewController>("MailboxPickerController")
            .method<&TestMailboxPicker::viewWillAppear>("viewWillAppear:")
            .method<&TestMailboxPicker::tableView>("tableView")
            .method<&TestMailboxPicker::cellForRow>("tableView:cellForRowAtIndexPath:");
        objc::ClassBuilder<TestFolderList, UIViewController>("MailboxListViewControllerMail")
            .method<&TestFolderList::viewWillDisappear>("viewWillDisappear:")
            .method<&TestFolderList::updateTitle>("updateTitle");
        objc::ClassBuilder<TestMailApp>("MailAppController")
            .method<&TestMailApp::didFinishLaunching>("application:didFinishLaunchingWithOptions:");
        UIBarButtonItem::registerRuntimeClass();
        objc::ClassBuilder<TestMessageListController, UIViewController>(
            "MailboxContentViewController")
            .method<&TestMessageListController::viewWillAppear>("viewWillAppear:")
            .method<&TestMessageListController::tableView>("tableView")
            .method<&TestMessageListController::currentTableView>("currentTableView")
            .method<&TestMessageListController::setMailboxes>("setMailboxes:sourceType:")
            .method<&TestMessageListController::setSourceType>("setSourceType:")
            .method<&TestMessageListController::addSource>("_addSource:toSection:")
            .method<&TestMessageListController::setInEditMode>("_setInEditMode:animated:")
            .method<&TestMessageListController::updateToolbarButtons>("updateToolbarButtons")
            .method<&TestMessageListController::updateBarButtons>("updateBarButtons")
            .method<&TestMessageListController::willBeginSearch>(
                "searchDisplayControllerWillBeginSearch:")
            .method<&TestMessageListController::willEndSearch>(
                "searchDisplayControllerWillEndSearch:")
            .method<&TestMessageListController::moveButtonItem>("moveButtonItem")
            .method<&TestMessageListController::bulkMarkSelection>("_bulkMarkSelection:asRead:")
            .method<&TestMessageListController::transferButtonClicked>("transferButtonClicked:")
            .ivar<&TestMessageListController::selectionModel>("_selectionModel")
            .ivar<&TestMessageListController::moveItem>("_moveButtonItem");
        objc::ClassBuilder<TestSelectionModel>("MessageSelectionModel");
        objc::ClassBuilder<TestThreadedSource>("ThreadedMiniMallSource");
        objc::ClassBuilder<TestMailboxSource>("MailboxSource");
        return true;
    }();
    (void)registered;
}

} // namespace tintbox::testing
