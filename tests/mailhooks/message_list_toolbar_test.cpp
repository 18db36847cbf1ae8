#include "mailhooks/tags.hpp"
#include "mailhooks/toolbar_state.hpp"
#include "platform/dispatch/run_loop.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UISegmentedControl.hpp"
#include "tests/mailhooks/extension_fixture.hpp"

#include <algorithm>

namespace tintbox::testing {
namespace {

using mailhooks::toolbarState;
namespace tags = mailhooks::tags;

using Calls = std::vector<std::string>;

constexpr UIEdgeInsets kHostInset{64, 0, 0, 0};

class MessageListToolbarTest : public ExtensionTest {
protected:
    void SetUp() override {
        ExtensionTest::SetUp();
        snapshot().enableUnreadAndFlagged = true;
        snapshot().enableMarkAsReadAndMove = true;
        toolbarState() = mailhooks::ToolbarState{};
        dispatch::RunLoop::main().useVirtualClock();
        list = newController();
    }
    void TearDown() override { dispatch::RunLoop::main().useRealClock(); }

    // A message list whose table sits under the navigation bar, scrolled to its top, in edit
    // mode's reach: a selection and a Move button.
    static objc::Ref<TestMessageListController> newController() {
        auto controller = UIViewController::create<TestMessageListController>();
        controller->table = UIView::withFrame<CountingTableView>(CGRectMake(0, 0, 320, 480));
        controller->table->setContentInset(kHostInset);
        controller->table->setContentOffset({0, -64});
        controller->view()->addSubview(controller->table.get());
        controller->selectionModel = objc::make<TestSelectionModel>();
        controller->moveItem =
            UIBarButtonItem::withTitle("Move", UIBarButtonItemStylePlain, nullptr, nullptr);
        return controller;
    }

    static void appear(TestMessageListController& c) {
        objc::msgSend<void(bool)>(&c, selectorNamed("viewWillAppear:"), true);
    }
    static void showMailboxes(TestMessageListController& c, NSInteger sourceType) {
        objc::msgSend<void(std::vector<objc::Ref<NSObject>>, NSInteger)>(
            &c, selectorNamed("setMailboxes:sourceType:"),
            std::vector<objc::Ref<NSObject>>{objc::make<TestMailboxSource>()}, sourceType);
        objc::msgSend<void(NSInteger)>(&c, selectorNamed("setSourceType:"), sourceType);
    }
    static void addSource(TestMessageListController& c, NSObject* source) {
        objc::msgSend<void(id, NSInteger)>(&c, selectorNamed("_addSource:toSection:"), source, 0L);
    }
    static void search(TestMessageListController& c, bool begins) {
        objc::msgSend<void(id)>(&c,
                                selectorNamed(begins ? "searchDisplayControllerWillBeginSearch:"
                                                     : "searchDisplayControllerWillEndSearch:"),
                                nullptr);
    }
    static void editMode(TestMessageListController& c, bool editing) {
        objc::msgSend<void(bool, bool)>(&c, selectorNamed("_setInEditMode:animated:"), editing,
                                        true);
    }
    static void updateToolbar(TestMessageListController& c) {
        objc::msgSend<void()>(&c, selectorNamed("updateToolbarButtons"));
    }
    static UISegmentedControl* bar(TestMessageListController& c) {
        return dynamic_cast<UISegmentedControl*>(c.view()->viewWithTag(tags::kQuickFilterBar));
    }
    static UIView* moveButtonView(TestMessageListController& c) { return c.moveItem->view(); }
    // One long press on the view's recognisers: began, moved (changed) and ended.
    static void longPress(UIView* view) {
        std::vector<objc::Ref<NSObject>> recognisers = view->gestureRecognizers();
        for (const auto& r : recognisers)
            static_cast<UIGestureRecognizer&>(*r).touchesBegan({10, 10});
        dispatch::RunLoop::main().advance(0.6);
        for (const auto& r : recognisers)
            static_cast<UIGestureRecognizer&>(*r).touchesMoved({12, 11});
        for (const auto& r : recognisers)
            static_cast<UIGestureRecognizer&>(*r).touchesEnded({12, 11});
    }
    static std::size_t depth(UIView* view) {
        const auto& subviews = view->superview()->subviews();
        return std::find(subviews.begin(), subviews.end(), view) - subviews.begin();
    }

    objc::Ref<TestMessageListController> list;
};

TEST_F(MessageListToolbarTest, AddedMethodsCarryTheirTypeEncodings) {
    const Class cls = objc_getClass("MailboxContentViewController");
    for (const char* name : {"segmentAction:", "moveButtonMarkAsRead:"}) {
        Method method = class_getInstanceMethod(cls, selectorNamed(name));
        ASSERT_NE(method, nullptr) << name;
        EXPECT_STREQ(method_getTypeEncoding(method), "v@:@") << name;
    }
    objc::msgSend<void()>(list, selectorNamed("updateBarButtons"));
    EXPECT_EQ(list->calls, Calls{"updateBarButtons"});
}

TEST_F(MessageListToolbarTest, FirstShowingPlacesTheBarAboveTheTable) {
    showMailboxes(*list, 0);
    appear(*list);
    UISegmentedControl* control = bar(*list);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->superview(), list->view());
    EXPECT_EQ(control->frame(), CGRectMake(6, -38, 308, 30));
    EXPECT_EQ(control->autoresizingMask(), 7u);
    EXPECT_EQ(control->backgroundColor()->CGColor(), (quartz::Color{1, 1, 1, 1}));
    EXPECT_EQ(control->selectedSegmentIndex(), 0);
    ASSERT_EQ(control->numberOfSegments(), 3);
    EXPECT_EQ(control->titleForSegmentAtIndex(1), "Unread");
    EXPECT_EQ(control->titleForSegmentAtIndex(2), "Flagged");
    EXPECT_EQ(list->table->contentInset(), (UIEdgeInsets{108, 0, 0, 0}));
    EXPECT_EQ(list->table->contentOffset(), (CGPoint{0, -20}));
    EXPECT_TRUE(state().quickFilterReset);
    EXPECT_EQ(list->calls, (Calls{"setMailboxes 0", "setSourceType 0"}));
}

TEST_F(MessageListToolbarTest, SettingsDecideBarAndOneReminderRecogniserPerTable) {
    struct Case {
        bool enabled, unreadAndFlagged, bar;
        std::size_t recognisers;
    };
    for (const Case c :
         {Case{true, true, true, 1}, Case{true, false, false, 1}, Case{false, true, false, 0}}) {
        auto controller = newController();
        snapshot().enabled = c.enabled;
        snapshot().enableUnreadAndFlagged = c.unreadAndFlagged;
        state().quickFilterReset = false;
        appear(*controller);
        appear(*controller);
        EXPECT_EQ(bar(*controller) != nullptr, c.bar) << c.enabled << c.unreadAndFlagged;
        const auto& recognisers = controller->table->gestureRecognizers();
        ASSERT_EQ(recognisers.size(), c.recognisers) << c.enabled << c.unreadAndFlagged;
        if (c.recognisers) {
            auto* press = dynamic_cast<UILongPressGestureRecognizer*>(recognisers[0].get());
            ASSERT_NE(press, nullptr);
            EXPECT_DOUBLE_EQ(press->minimumPressDuration(), 1.0);
        }
    }
}

TEST_F(MessageListToolbarTest, SegmentsApplyTheirSourceTypeOnceAndReload) {
    showMailboxes(*list, 0);
    appear(*list);
    UISegmentedControl* control = bar(*list);
    list->calls.clear();

    control->tapSegmentAtIndex(1);
    EXPECT_EQ(list->calls, Calls{"setMailboxes 3"});
    EXPECT_EQ(list->table->reloads, 1);
    EXPECT_EQ(list->mailboxes.size(), 1u);

    // "Unread" chosen again (the action sent once more) changes nothing.
    objc::msgSend<void(id)>(list, selectorNamed("segmentAction:"), control);
    EXPECT_EQ(list->calls, Calls{"setMailboxes 3"});

    control->tapSegmentAtIndex(2);
    EXPECT_EQ(list->calls, (Calls{"setMailboxes 3", "setMailboxes 2"}));
    EXPECT_EQ(toolbarState().activeQuickFilter, 2);

    control->setSelectedSegmentIndex(UISegmentedControlNoSegment);
    objc::msgSend<void(id)>(list, selectorNamed("segmentAction:"), control);
    EXPECT_EQ(list->calls.size(), 2u);
    EXPECT_EQ(list->table->reloads, 2);
}

TEST_F(MessageListToolbarTest, WithoutRecordedMailboxesASegmentDoesNothing) {
    appear(*list);
    bar(*list)->tapSegmentAtIndex(1);
    EXPECT_TRUE(list->calls.empty());
    EXPECT_EQ(list->table->reloads, 0);
    EXPECT_EQ(bar(*list)->selectedSegmentIndex(), 1);
}

TEST_F(MessageListToolbarTest, AFilteredSourceShownAgainLeavesTheBarAsItIs) {
    struct Case {
        const char* name;
        NSInteger sourceType;
        bool threadedSource;
        bool barComesForward;
    };
    for (const Case c :
         {Case{"flagged", 2, false, false}, Case{"unread", 3, false, false},
          Case{"all inboxes", 0, true, false}, Case{"one mailbox", 0, false, true}}) {
        toolbarState() = mailhooks::ToolbarState{};
        state().quickFilterReset = false;
        auto controller = newController();
        showMailboxes(*controller, 0);
        appear(*controller);
        bar(*controller)->tapSegmentAtIndex(1);
        showMailboxes(*controller, c.sourceType);
        const objc::Ref<NSObject> source =
            c.threadedSource ? objc::Ref<NSObject>(objc::make<TestThreadedSource>())
                             : objc::Ref<NSObject>(objc::make<TestMailboxSource>());
        addSource(*controller, source.get());
        UISegmentedControl* control = bar(*controller);
        controller->view()->addSubview(UIView::withFrame(CGRectMake(0, 0, 10, 10)).get());
        control->setUserInteractionEnabled(false);

        appear(*controller);
        EXPECT_EQ(depth(control) == controller->view()->subviews().size() - 1, c.barComesForward)
            << c.name;
        EXPECT_EQ(control->isUserInteractionEnabled(), c.barComesForward) << c.name;
        EXPECT_EQ(toolbarState().activeQuickFilter, 3) << c.name;
        EXPECT_EQ(bar(*controller), control) << c.name;
    }
}

TEST_F(MessageListToolbarTest, AfterTheMailboxListTheBarComesForwardOrIsPlacedAgain) {
    showMailboxes(*list, 0);
    appear(*list);
    bar(*list)->tapSegmentAtIndex(2);
    showMailboxes(*list, 3);
    UISegmentedControl* first = bar(*list);
    list->view()->addSubview(UIView::withFrame(CGRectMake(0, 0, 10, 10)).get());

    state().quickFilterReset = false; // the mailbox list was shown
    appear(*list);
    EXPECT_EQ(bar(*list), first);
    EXPECT_EQ(list->view()->subviews().back().get(), first);
    EXPECT_EQ(toolbarState().activeQuickFilter, 2);

    first->removeFromSuperview();
    state().quickFilterReset = false;
    appear(*list);
    ASSERT_NE(bar(*list), nullptr);
    EXPECT_EQ(bar(*list)->selectedSegmentIndex(), 0);
    EXPECT_EQ(toolbarState().activeQuickFilter, 0);
    // Placed from the first inset and offset of the process, not from the current ones.
    EXPECT_EQ(list->table->contentInset(), (UIEdgeInsets{108, 0, 0, 0}));
    EXPECT_EQ(list->table->contentOffset(), (CGPoint{0, -20}));

    auto other = newController();
    other->table->setContentInset({});
    state().quickFilterReset = false;
    appear(*other);
    EXPECT_EQ(other->table->contentInset(), (UIEdgeInsets{108, 0, 0, 0}));
}

TEST_F(MessageListToolbarTest, SearchResetsAFlaggedListBeforeTheHostAndFadesTheBarToAll) {
    showMailboxes(*list, 0);
    appear(*list);
    UISegmentedControl* control = bar(*list);
    control->tapSegmentAtIndex(2);
    list->calls.clear();

    search(*list, true);
    EXPECT_EQ(list->calls, (Calls{"setMailboxes 0", "beginSearch after 2 reloads"}));
    EXPECT_EQ(toolbarState().activeQuickFilter, 0);
    EXPECT_DOUBLE_EQ(control->alpha(), 0.0);
    EXPECT_EQ(list->table->contentInset().top, 64);
    dispatch::RunLoop::main().advance(0.4);
    EXPECT_EQ(control->selectedSegmentIndex(), 2);
    dispatch::RunLoop::main().advance(0.1);
    EXPECT_EQ(control->selectedSegmentIndex(), 0);
    EXPECT_EQ(list->calls.size(), 2u); // the selection in code chose nothing

    search(*list, false);
    EXPECT_DOUBLE_EQ(control->alpha(), 1.0);
    EXPECT_EQ(list->table->contentInset().top, 108);
    EXPECT_EQ(list->calls.back(), "endSearch");
}

TEST_F(MessageListToolbarTest, SearchWithoutABarStillShowsAllMessagesAgain) {
    snapshot().enableUnreadAndFlagged = false;
    showMailboxes(*list, 0);
    toolbarState().activeQuickFilter = 3;
    list->calls.clear();
    search(*list, true);
    EXPECT_EQ(list->calls, (Calls{"setMailboxes 0", "beginSearch after 1 reloads"}));
    search(*list, false);
    EXPECT_EQ(list->table->contentInset(), kHostInset);
}

TEST_F(MessageListToolbarTest, EditModeFadesTheBarAndMovesTheInsetOncePerChange) {
    showMailboxes(*list, 0);
    appear(*list);
    UISegmentedControl* control = bar(*list);
    list->calls.clear();

    editMode(*list, true);
    EXPECT_DOUBLE_EQ(control->alpha(), 0.0);
    EXPECT_EQ(list->table->contentInset().top, 64);
    editMode(*list, true); // told again: the list stays where it is
    EXPECT_EQ(list->table->contentInset().top, 64);
    editMode(*list, false);
    EXPECT_DOUBLE_EQ(control->alpha(), 1.0);
    EXPECT_EQ(list->table->contentInset().top, 108);
    editMode(*list, false);
    EXPECT_EQ(list->table->contentInset().top, 108);
    EXPECT_EQ(list->calls, (Calls{"editMode on", "editMode on", "editMode off", "editMode off"}));
}

TEST_F(MessageListToolbarTest, APlacedBarOutlivesTheSettingThatPlacedIt) {
    showMailboxes(*list, 0);
    appear(*list);
    snapshot().enabled = false;
    snapshot().enableUnreadAndFlagged = false;
    appear(*list);
    UISegmentedControl* control = bar(*list);
    ASSERT_NE(control, nullptr);
    editMode(*list, true);
    EXPECT_DOUBLE_EQ(control->alpha(), 0.0);
    editMode(*list, false);
    control->tapSegmentAtIndex(1);
    EXPECT_EQ(list->calls.back(), "setMailboxes 3");
}

TEST_F(MessageListToolbarTest, LongPressOnMoveMarksReadAndOpensTheMoveSheetOnce) {
    updateToolbar(*list);
    ASSERT_EQ(moveButtonView(*list)->gestureRecognizers().size(), 1u);
    list->calls.clear();

    longPress(moveButtonView(*list));
    EXPECT_EQ(list->calls, (Calls{"mark selection read", "move sheet"}));

    longPress(moveButtonView(*list)); // not re-armed yet
    EXPECT_EQ(list->calls.size(), 2u);

    editMode(*list, false); // re-arms
    longPress(moveButtonView(*list));
    updateToolbar(*list); // re-arms too, and keeps one recogniser on the button
    ASSERT_EQ(moveButtonView(*list)->gestureRecognizers().size(), 1u);
    longPress(moveButtonView(*list));
    EXPECT_EQ(list->calls,
              (Calls{"mark selection read", "move sheet", "editMode off", "mark selection read",
                     "move sheet", "updateToolbarButtons", "mark selection read", "move sheet"}));
}

TEST_F(MessageListToolbarTest, MarkAndMoveNeedsItsSettingASelectionAndAMoveButton) {
    snapshot().enableMarkAsReadAndMove = false;
    updateToolbar(*list);
    EXPECT_TRUE(moveButtonView(*list)->gestureRecognizers().empty());

    snapshot().enableMarkAsReadAndMove = true;
    updateToolbar(*list);
    list->selectionModel = nullptr;
    list->calls.clear();
    longPress(moveButtonView(*list));
    EXPECT_TRUE(list->calls.empty());
    EXPECT_FALSE(toolbarState().markAndMoveBusy);

    // The Move button gone by the time of the press: marked read, no move sheet.
    list->selectionModel = objc::make<TestSelectionModel>();
    objc::Ref<UIBarButtonItem> button = list->moveItem;
    list->moveItem = nullptr;
    longPress(button->view());
    EXPECT_EQ(list->calls, Calls{"mark selection read"});

    auto bare = newController();
    bare->moveItem = nullptr;
    updateToolbar(*bare);
    EXPECT_EQ(bare->calls, Calls{"updateToolbarButtons"});
}

TEST_F(MessageListToolbarTest, TheRecogniserFollowsTheMoveButtonShownNow) {
    list->shownMoveItem =
        UIBarButtonItem::withTitle("Move", UIBarButtonItemStylePlain, nullptr, nullptr);
    updateToolbar(*list);
    EXPECT_TRUE(moveButtonView(*list)->gestureRecognizers().empty());
    ASSERT_EQ(list->shownMoveItem->view()->gestureRecognizers().size(), 1u);
    list->calls.clear();
    longPress(list->shownMoveItem->view());
    EXPECT_EQ(list->calls, (Calls{"mark selection read", "move sheet"}));
}

TEST_F(MessageListToolbarTest, WithTwoListsThePressActsForTheOneWhoseButtonCarriesIt) {
    auto other = newController();
    updateToolbar(*list); // makes the recogniser, with `list` as its target
    updateToolbar(*other);
    EXPECT_TRUE(moveButtonView(*list)->gestureRecognizers().empty());
    longPress(moveButtonView(*other));
    EXPECT_EQ(other->calls, (Calls{"updateToolbarButtons", "mark selection read", "move sheet"}));
    EXPECT_EQ(list->calls, Calls{"updateToolbarButtons"});

    // Back on the first list's button, it acts for the first list again.
    updateToolbar(*list);
    longPress(moveButtonView(*list));
    EXPECT_EQ(list->calls, (Calls{"updateToolbarButtons", "updateToolbarButtons",
                                  "mark selection read", "move sheet"}));

    // The list that made it gone: the other list's button still works.
    UIView* otherButton = moveButtonView(*other);
    list = nullptr;
    updateToolbar(*other);
    longPress(otherButton);
    EXPECT_EQ(other->calls.back(), "move sheet");
    EXPECT_EQ(other->calls.size(), 6u);
}

} // namespace
} // namespace tintbox::testing
