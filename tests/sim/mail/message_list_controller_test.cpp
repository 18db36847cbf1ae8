// The message list controller as the mail extension's toolbar code meets it: source types and
// sources set through the runtime, edit mode with its selection model and toolbar, marking read
// and the move sheet, which change the Maildir on disk, and the search display's begin and end.
#include "platform/objc/ivar.hpp"
#include "platform/uikit/NSIndexPath.hpp"
#include "platform/uikit/UINavigationController.hpp"
#include "sim/mail/MailAccount.hpp"
#include "sim/mail/MailApp.hpp"
#include "sim/mail/MailMessage.hpp"
#include "sim/mail/MailStore.hpp"
#include "sim/mail/Mailbox.hpp"
#include "sim/mail/MailboxContentViewController.hpp"
#include "sim/mail/account_file.hpp"
#include "tests/sim/mail/maildir_fixture.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>

namespace {

using namespace tintbox::sim::mail;
using namespace tintbox::testing;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace fs = std::filesystem;

SEL sel(const char* name) {
    return sel_registerName(name);
}

// How often the replaceable methods were reached through the runtime, and with what.
struct Sent {
    std::map<std::string, int> count;
    std::vector<NSInteger> sourceTypes;
    std::vector<id> sources;
};

Sent& sent() {
    static Sent shared;
    return shared;
}

void (*previousSetSourceType)(id, SEL, NSInteger) = nullptr;
void (*previousAddSource)(id, SEL, id, NSInteger) = nullptr;
void (*previousUpdateToolbar)(id, SEL) = nullptr;
void (*previousUpdateBarButtons)(id, SEL) = nullptr;
void (*previousEditMode)(id, SEL, bool, bool) = nullptr;
void (*previousBulkMark)(id, SEL, id, bool) = nullptr;
void (*previousBeginSearch)(id, SEL, id) = nullptr;
void (*previousEndSearch)(id, SEL, id) = nullptr;

void installCountingHooks() {
    static const bool installed = [] {
        registerMailAppClasses();
        const Class list = objc_getClass("MailboxContentViewController");
        MSHookMessageEx(
            list, sel("setSourceType:"),
            +[](id self, SEL cmd, NSInteger type) {
                sent().sourceTypes.push_back(type);
                previousSetSourceType(self, cmd, type);
            },
            &previousSetSourceType);
        MSHookMessageEx(
            list, sel("_addSource:toSection:"),
            +[](id self, SEL cmd, id source, NSInteger section) {
                sent().sources.push_back(source);
                previousAddSource(self, cmd, source, section);
            },
            &previousAddSource);
        MSHookMessageEx(
            list, sel("updateToolbarButtons"),
            +[](id self, SEL cmd) {
                ++sent().count["toolbar"];
                previousUpdateToolbar(self, cmd);
            },
            &previousUpdateToolbar);
        MSHookMessageEx(
            list, sel("updateBarButtons"),
            +[](id self, SEL cmd) {
                ++sent().count["bar buttons"];
                previousUpdateBarButtons(self, cmd);
            },
            &previousUpdateBarButtons);
        MSHookMessageEx(
            list, sel("_setInEditMode:animated:"),
            +[](id self, SEL cmd, bool editing, bool animated) {
                ++sent().count[editing ? "edit on" : "edit off"];
                previousEditMode(self, cmd, editing, animated);
            },
            &previousEditMode);
        MSHookMessageEx(
            list, sel("_bulkMarkSelection:asRead:"),
            +[](id self, SEL cmd, id selection, bool read) {
                ++sent().count["bulk mark"];
                previousBulkMark(self, cmd, selection, read);
            },
            &previousBulkMark);
        MSHookMessageEx(
            list, sel("searchDisplayControllerWillBeginSearch:"),
            +[](id self, SEL cmd, id search) {
                ++sent().count["search begins"];
                previousBeginSearch(self, cmd, search);
            },
            &previousBeginSearch);
        MSHookMessageEx(
            list, sel("searchDisplayControllerWillEndSearch:"),
            +[](id self, SEL cmd, id search) {
                ++sent().count["search ends"];
                previousEndSearch(self, cmd, search);
            },
            &previousEndSearch);
        return true;
    }();
    (void)installed;
}

std::vector<std::string> subjectsOf(const MailboxContentViewController& list) {
    std::vector<std::string> subjects;
    for (const auto& object : list.messages())
        subjects.push_back(dynamic_cast<MailMessage&>(*object).subject().value_or("?"));
    return subjects;
}

class MessageListController : public ::testing::Test {
protected:
    MessageListController() {
        installCountingHooks();
        sent() = {};
        deliver(work(), "cur", "1.a:2,S", sampleMessage("Quarterly report", 3));
        deliver(work(), "new", "2.b", sampleMessage("Lunch plans", 5));
        deliver(work(), "cur", "3.c:2,F", sampleMessage("Invoice overdue", 4));
        deliver(work() / ".Projects", "cur", "4.d:2,S", sampleMessage("Roadmap", 1));
        deliver(home(), "cur", "5.e:2,", sampleMessage("Allotment", 2));
        std::string error;
        EXPECT_TRUE(writeAccountFile({{"Work", "MailAccount", "var/mobile/Library/Mail/Work"},
                                      {"Home", "MailAccount", "var/mobile/Library/Mail/Home"}},
                                     accountsFilePath(), &error))
            << error;
        MailStore::reloadShared();
        MailAppOptions options;
        options.screenWidth = 375;
        options.loadTweaks = false;
        app.emplace(MailApp::launch(options));
    }

    fs::path work() const { return root / "private/var/mobile/Library/Mail/Work"; }
    fs::path home() const { return root / "private/var/mobile/Library/Mail/Home"; }
    Mailbox& inbox(const char* account) {
        return *MailStore::shared().accountNamed(account)->inbox();
    }
    MailScreen<MailboxContentViewController> workInbox() {
        return app->messageList({objc::Ref<NSObject>(&inbox("Work"))}, "INBOX");
    }

    void tapRows(MailboxContentViewController& list, std::vector<NSInteger> rows) {
        for (NSInteger row : rows)
            ASSERT_TRUE(
                list.tableView()->tapRowAtIndexPath(NSIndexPath::indexPathForRow(row, 0).get()));
    }

    TemporaryDeviceRoot root;
    std::optional<MailApp> app;
};

TEST_F(MessageListController, MailboxesGoThroughSetSourceTypeAndAddSourceOfTheRightClass) {
    auto one = workInbox();
    EXPECT_THAT(sent().sourceTypes, ElementsAre(0));
    ASSERT_EQ(sent().sources.size(), 1u);
    EXPECT_TRUE(sent().sources[0]->isKindOfClass(objc_getClass("MailboxSource")));
    EXPECT_FALSE(sent().sources[0]->isKindOfClass(objc_getClass("ThreadedMiniMallSource")));

    auto all = app->messageList(
        {objc::Ref<NSObject>(&inbox("Work")), objc::Ref<NSObject>(&inbox("Home"))}, "All Inboxes");
    ASSERT_EQ(sent().sources.size(), 2u);
    EXPECT_TRUE(sent().sources[1]->isKindOfClass(objc_getClass("ThreadedMiniMallSource")));
    EXPECT_THAT(subjectsOf(*all.controller),
                ElementsAre("Lunch plans", "Invoice overdue", "Quarterly report", "Allotment"));
}

TEST_F(MessageListController, SourceTypesListAllUnreadOrFlaggedMessages) {
    auto screen = workInbox();
    struct Case {
        NSInteger type;
        std::vector<std::string> subjects;
    };
    for (const auto& [type, subjects] :
         {Case{MailboxContentViewController::kSourceUnread, {"Lunch plans", "Invoice overdue"}},
          Case{MailboxContentViewController::kSourceFlagged, {"Invoice overdue"}},
          Case{MailboxContentViewController::kSourceAll,
               {"Lunch plans", "Invoice overdue", "Quarterly report"}}}) {
        SCOPED_TRACE(type);
        objc::msgSend<void(std::vector<objc::Ref<NSObject>>, NSInteger)>(
            screen.controller, sel("setMailboxes:sourceType:"), screen.controller->mailboxes(),
            type);
        EXPECT_EQ(subjectsOf(*screen.controller), subjects);
        EXPECT_EQ(screen.controller->tableView()->numberOfRowsInSection(0),
                  static_cast<NSInteger>(subjects.size()));
        // setSourceType: alone changes what the same source lists.
        objc::msgSend<void(NSInteger)>(screen.controller, sel("setSourceType:"),
                                       MailboxContentViewController::kSourceFlagged);
        EXPECT_THAT(subjectsOf(*screen.controller), ElementsAre("Invoice overdue"));
    }
}

TEST_F(MessageListController, EditModeHoldsASelectionModelAndShowsTheMoveButtonInTheToolbar) {
    auto screen = workInbox();
    MailboxContentViewController& list = *screen.controller;
    const Ivar selectionIvar = class_getInstanceVariable(object_getClass(&list), "_selectionModel");
    const Ivar moveIvar = class_getInstanceVariable(object_getClass(&list), "_moveButtonItem");
    ASSERT_NE(selectionIvar, nullptr);
    ASSERT_NE(moveIvar, nullptr);
    EXPECT_EQ(object_getIvar(&list, selectionIvar), nullptr);
    EXPECT_TRUE(screen.navigation->isToolbarHidden());

    // Edit in the navigation bar enters edit mode through the runtime.
    list.navigationItem()->rightBarButtonItem()->simulateTap();
    EXPECT_EQ(sent().count["edit on"], 1);
    EXPECT_GE(sent().count["bar buttons"], 1);
    EXPECT_GE(sent().count["toolbar"], 1);
    EXPECT_EQ(list.navigationItem()->rightBarButtonItem()->title(), "Cancel");
    EXPECT_FALSE(screen.navigation->isToolbarHidden());
    auto* selection = dynamic_cast<MessageSelectionModel*>(object_getIvar(&list, selectionIvar));
    ASSERT_NE(selection, nullptr);

    auto* move = dynamic_cast<UIBarButtonItem*>(object_getIvar(&list, moveIvar));
    ASSERT_NE(move, nullptr);
    EXPECT_EQ(objc::msgSend<id()>(&list, sel("moveButtonItem")), move);
    auto* moveView = objc::msgSend<id(std::string)>(move, sel("valueForKey:"), std::string("view"));
    ASSERT_NE(moveView, nullptr);
    EXPECT_EQ(dynamic_cast<UIView*>(moveView)->superview(), screen.navigation->toolbar());
    EXPECT_FALSE(move->isEnabled()) << "nothing chosen yet";

    const int toolbarUpdates = sent().count["toolbar"];
    tapRows(list, {0, 2});
    EXPECT_EQ(selection->count(), 2);
    EXPECT_EQ(sent().count["toolbar"], toolbarUpdates + 2);
    EXPECT_TRUE(move->isEnabled());
    tapRows(list, {0});
    ASSERT_EQ(selection->count(), 1);
    EXPECT_EQ(dynamic_cast<MailMessage&>(*selection->messages()[0]).subject(), "Quarterly report");

    list.navigationItem()->rightBarButtonItem()->simulateTap();
    EXPECT_EQ(sent().count["edit off"], 1);
    EXPECT_EQ(object_getIvar(&list, selectionIvar), nullptr);
    EXPECT_TRUE(screen.navigation->isToolbarHidden());
    EXPECT_THAT(list.tableView()->indexPathsForSelectedRows(), IsEmpty());
}

TEST_F(MessageListController, BulkMarkingReadRenamesTheFilesWithTheSeenFlag) {
    auto screen = workInbox();
    MailboxContentViewController& list = *screen.controller;
    objc::msgSend<void(bool, bool)>(&list, sel("_setInEditMode:animated:"), true, false);
    tapRows(list, {0, 1}); // Lunch plans (new/), Invoice overdue (cur/, flagged)
    objc::msgSend<void(id, bool)>(&list, sel("_bulkMarkSelection:asRead:"), list.selectionModel(),
                                  true);
    EXPECT_TRUE(fs::exists(work() / "cur" / "2.b:2,S"));
    EXPECT_TRUE(fs::exists(work() / "cur" / "3.c:2,FS"));
    EXPECT_FALSE(fs::exists(work() / "new" / "2.b"));
    EXPECT_TRUE(fs::exists(work() / "cur" / "1.a:2,S")) << "an unselected message is left alone";
    EXPECT_EQ(list.selectionModel()->count(), 2) << "the selection stays for the move";
}

TEST_F(MessageListController, TheMoveSheetListsTheAccountsMailboxesAndMovesTheSelection) {
    auto screen = workInbox();
    MailboxContentViewController& list = *screen.controller;
    objc::msgSend<void(id)>(&list, sel("transferButtonClicked:"), nullptr);
    EXPECT_EQ(list.moveSheet(), nullptr) << "no sheet outside edit mode";

    objc::msgSend<void(bool, bool)>(&list, sel("_setInEditMode:animated:"), true, false);
    objc::msgSend<void(id)>(&list, sel("transferButtonClicked:"), list.moveButtonItem());
    EXPECT_EQ(list.moveSheet(), nullptr) << "no sheet without a selection";

    tapRows(list, {0, 2});
    list.moveButtonItem()->simulateTap();
    MoveSheetController* sheet = list.moveSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(screen.navigation->topViewController(), sheet);
    EXPECT_EQ(sheet->rowTitle(0), "INBOX");
    EXPECT_EQ(sheet->rowTitle(1), "Projects");
    EXPECT_EQ(sheet->tableView()->numberOfRowsInSection(0), 2);
    objc::msgSend<void(id)>(&list, sel("transferButtonClicked:"), list.moveButtonItem());
    EXPECT_EQ(list.moveSheet(), sheet) << "one sheet at a time";

    ASSERT_TRUE(sheet->tableView()->tapRowAtIndexPath(NSIndexPath::indexPathForRow(1, 0).get()));
    EXPECT_TRUE(fs::exists(work() / ".Projects/cur/2.b:2,"));
    EXPECT_TRUE(fs::exists(work() / ".Projects/cur/1.a:2,S"));
    EXPECT_FALSE(fs::exists(work() / "new/2.b"));
    EXPECT_FALSE(fs::exists(work() / "cur/1.a:2,S"));
    ASSERT_EQ(list.lastMove().size(), 2u);
    EXPECT_EQ(list.lastMove()[0].subject, "Lunch plans");
    EXPECT_EQ(list.lastMove()[0].to, "Projects");
    EXPECT_TRUE(list.lastMove()[0].error.empty()) << list.lastMove()[0].error;

    EXPECT_EQ(list.moveSheet(), nullptr);
    EXPECT_EQ(screen.navigation->topViewController(), &list);
    EXPECT_FALSE(list.isInEditMode());
    EXPECT_EQ(sent().count["edit off"], 1);
    EXPECT_THAT(subjectsOf(list), ElementsAre("Invoice overdue"));
    EXPECT_EQ(MailStore::shared().accountNamed("Work")->mailboxNamed("Projects")->messages().size(),
              3u);
}

TEST_F(MessageListController, CancelClosesTheSheetAndKeepsEditMode) {
    auto screen = workInbox();
    MailboxContentViewController& list = *screen.controller;
    objc::msgSend<void(bool, bool)>(&list, sel("_setInEditMode:animated:"), true, false);
    tapRows(list, {1});
    list.moveButtonItem()->simulateTap();
    ASSERT_NE(list.moveSheet(), nullptr);
    list.moveSheet()->navigationItem()->rightBarButtonItem()->simulateTap();
    EXPECT_EQ(list.moveSheet(), nullptr);
    EXPECT_EQ(screen.navigation->topViewController(), &list);
    EXPECT_TRUE(list.isInEditMode());
    EXPECT_EQ(list.selectionModel()->count(), 1);
    EXPECT_TRUE(fs::exists(work() / "cur/3.c:2,F"));
}

TEST_F(MessageListController, SearchBeginAndEndAreSentThroughTheRuntime) {
    auto screen = workInbox();
    screen.controller->beginSearch();
    EXPECT_TRUE(screen.controller->isSearching());
    screen.controller->endSearch();
    EXPECT_FALSE(screen.controller->isSearching());
    EXPECT_EQ(sent().count["search begins"], 1);
    EXPECT_EQ(sent().count["search ends"], 1);
}

} // namespace
