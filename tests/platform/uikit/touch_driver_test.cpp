#include "platform/dispatch/run_loop.hpp"
#include "platform/uikit/KeyboardDriver.hpp"
#include "platform/uikit/ScrollDriver.hpp"
#include "platform/uikit/TouchDriver.hpp"
#include "platform/uikit/TouchSequence.hpp"
#include "platform/uikit/UIAlertView.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UILongPressGestureRecognizer.hpp"
#include "platform/uikit/UINavigationController.hpp"
#include "platform/uikit/UIScrollView.hpp"
#include "platform/uikit/UISegmentedControl.hpp"
#include "platform/uikit/UITableView.hpp"
#include "platform/uikit/UITextField.hpp"
#include "tests/platform/uikit/message_recorder.hpp"

#include <gtest/gtest.h>

namespace {

// A one-section table of three rows whose data source records selections and presses.
class ThreeRows : public NSObject {
public:
    std::vector<std::string> log;

    static Class registerRuntimeClass() {
        static const Class cls =
            objc::ClassBuilder<ThreeRows>("ThreeRows")
                .method(
                    "tableView:numberOfRowsInSection:",
                    +[](id, SEL, id, NSInteger) -> NSInteger { return 3; })
                .method(
                    "tableView:cellForRowAtIndexPath:",
                    +[](id, SEL, id, id) -> objc::Ref<NSObject> {
                        return UITableViewCell::withStyle(UITableViewCellStyleDefault, "");
                    })
                .method(
                    "tableView:didSelectRowAtIndexPath:",
                    +[](id self, SEL, id, id path) {
                        auto* p = static_cast<NSIndexPath*>(path);
                        static_cast<ThreeRows*>(self)->log.push_back("select " +
                                                                     std::to_string(p->row()));
                    })
                // As the reminder action does: the row under the press, on Began only.
                .method(
                    "reminderLongPress:", +[](id self, SEL, id sender) {
                        auto* press = static_cast<UIGestureRecognizer*>(sender);
                        if (press->state() != UIGestureRecognizerStateBegan)
                            return;
                        auto* table = static_cast<UITableView*>(press->view());
                        auto path = table->indexPathForRowAtPoint(press->locationInView(table));
                        static_cast<ThreeRows*>(self)->log.push_back(
                            "press " + (path ? std::to_string(path->row()) : std::string("none")));
                    });
        return cls;
    }
};

class TouchDriverTest : public testing::Test {
protected:
    void SetUp() override {
        dispatch::RunLoop::main().useVirtualClock();
        ThreeRows::registerRuntimeClass();
        source = objc::make<ThreeRows>();
        table->setFrame(CGRectMake(0, 100, 320, 300));
        table->setDataSource(source.get());
        table->setDelegate(source.get());
        screen->addSubview(table.get());
        bar->setFrame(CGRectMake(6, 50, 308, 30));
        screen->addSubview(bar.get());
        screen->layoutIfNeeded();
    }
    void TearDown() override {
        UIAlertView::removeAllShownAlerts();
        dispatch::RunLoop::main().useRealClock();
    }

    objc::Ref<ThreeRows> source;
    objc::Ref<UIView> screen = UIView::withFrame(CGRectMake(0, 0, 320, 568));
    objc::Ref<UITableView> table =
        UITableView::withFrameAndStyle(CGRectZero, UITableViewStylePlain);
    objc::Ref<UISegmentedControl> bar = UISegmentedControl::withItems({"All", "Unread", "Flagged"});
};

TEST_F(TouchDriverTest, ATapReachesTheControlOrTheRowUnderThePoint) {
    EXPECT_EQ(TouchDriver::tap(screen.get(), {6 + 308 * 5 / 6.0, 65}), "UISegmentedControl");
    EXPECT_EQ(bar->selectedSegmentIndex(), 2);

    // Row 1 of the table, which is scrolled down by 10 points.
    table->setContentOffset(CGPointMake(0, 10));
    EXPECT_EQ(TouchDriver::tap(screen.get(), {100, 100 + 60 - 10}), "row 0.1");
    EXPECT_EQ(source->log, std::vector<std::string>{"select 1"});
    EXPECT_EQ(TouchDriver::tap(screen.get(), {100, 20}), "");
}

TEST_F(TouchDriverTest, ALongPressReachesTheRecognisersOfTheViewsUnderIt) {
    auto press = objc::make<UILongPressGestureRecognizer>(source.get(), sel("reminderLongPress:"));
    press->setMinimumPressDuration(1.0);
    table->addGestureRecognizer(press.get());

    EXPECT_EQ(TouchDriver::longPress(screen.get(), {100, 100 + 88 + 5}, 0.5),
              "UILongPressGestureRecognizer");
    EXPECT_TRUE(source->log.empty()); // too short
    TouchDriver::longPress(screen.get(), {100, 100 + 88 + 5}, 1.2);
    EXPECT_EQ(source->log, std::vector<std::string>{"press 2"});
    EXPECT_EQ(TouchDriver::longPress(screen.get(), {100, 20}, 2), "");
}

TEST_F(TouchDriverTest, TheFrontAlertIsAnsweredWithTypedText) {
    auto delegate = makeRecorder();
    auto alert = UIAlertView::withTitle("", "Enter a value", delegate.get(), "Cancel", {"Save"});
    alert->setAlertViewStyle(UIAlertViewStylePlainTextInput);
    alert->show();
    EXPECT_FALSE(UIAlertView::answerFrontAlert("Nope"));
    EXPECT_FALSE(UIAlertView::answerFrontAlert("Save", {"1", "2"}));
    EXPECT_TRUE(UIAlertView::answerFrontAlert("Save", {"250"}));
    EXPECT_EQ(alert->textFieldAtIndex(0)->text(), "250");
    EXPECT_EQ(delegate->messages.at(0).number, 1);
    EXPECT_FALSE(UIAlertView::answerFrontAlert("Save"));
}

// A finger held on a row fires the long press on the loop's clock and selects nothing; a short
// press selects; a press that travels is a drag and selects nothing either.
TEST_F(TouchDriverTest, ALiveFingerIsATapALongPressOrADragByItsTimeAndTravel) {
    auto press = objc::make<UILongPressGestureRecognizer>(source.get(), sel("reminderLongPress:"));
    press->setMinimumPressDuration(1.0);
    table->addGestureRecognizer(press.get());
    auto& loop = dispatch::RunLoop::main();

    {
        TouchSequence held(screen.get(), {100, 100 + 88 + 5});
        loop.runFor(1.2);
        EXPECT_EQ(source->log, std::vector<std::string>{"press 2"});
        EXPECT_EQ(held.end({100, 100 + 88 + 5}), "UILongPressGestureRecognizer");
    }
    {
        TouchSequence quick(screen.get(), {100, 100 + 44 + 5});
        loop.runFor(0.2);
        EXPECT_EQ(quick.end({102, 100 + 44 + 6}), "row 0.1");
    }
    {
        TouchSequence dragged(screen.get(), {100, 100 + 5});
        dragged.move({100, 100 + 60});
        EXPECT_TRUE(dragged.isDrag());
        EXPECT_EQ(dragged.end({100, 100 + 60}), "");
    }
    EXPECT_EQ(source->log, (std::vector<std::string>{"press 2", "select 1"}));

    // A control tracks the finger from down to up: the segment under the release is chosen.
    TouchSequence onBar(screen.get(), {6 + 308 / 6.0, 65});
    EXPECT_EQ(bar->selectedSegmentIndex(), -1);
    EXPECT_EQ(onBar.end({6 + 308 / 6.0, 65}), "UISegmentedControl");
    EXPECT_EQ(bar->selectedSegmentIndex(), 0);
}

// A button carrying a long-press recogniser (the Move button in edit mode): a hold fires the
// recogniser and takes the touch from the button; a quick tap is the button's.
TEST_F(TouchDriverTest, AHoldOnAButtonWithARecogniserIsTheRecognisers) {
    auto button = UIButton::buttonWithType(UIButtonTypeRoundedRect);
    button->setFrame(CGRectMake(10, 500, 80, 44));
    screen->addSubview(button.get());
    auto recorder = makeRecorder();
    button->addTarget(recorder.get(), sel("act:"), UIControlEventTouchUpInside);
    auto press = objc::make<UILongPressGestureRecognizer>(recorder.get(), sel("pressed:"));
    press->setMinimumPressDuration(1.0);
    button->addGestureRecognizer(press.get());

    TouchSequence held(screen.get(), {50, 520});
    dispatch::RunLoop::main().runFor(1.2);
    EXPECT_EQ(held.end({50, 520}), "UILongPressGestureRecognizer");
    EXPECT_EQ(recorder->selectors(), (std::vector<std::string>{"pressed:", "pressed:"}));

    recorder->messages.clear();
    TouchSequence quick(screen.get(), {50, 520});
    dispatch::RunLoop::main().runFor(0.2);
    EXPECT_EQ(quick.end({50, 520}), "UIButton");
    EXPECT_EQ(recorder->selectors(), std::vector<std::string>{"act:"});
}

TEST(NavigationBackButtonTest, ATapOnTheBackButtonPopsTheStack) {
    auto root = UIViewController::create();
    root->setTitle("Mailboxes");
    auto pushed = UIViewController::create();
    pushed->setTitle("Inbox");
    auto navigation = UINavigationController::withRootViewController(root.get());
    navigation->view()->setFrame(CGRectMake(0, 0, 320, 568));
    navigation->appearOnScreen();
    navigation->pushViewControllerAnimated(pushed.get(), false);
    UIView* screen = navigation->view();
    screen->layoutIfNeeded();
    EXPECT_EQ(navigation->navigationBar()->backLabel()->text(), "\u2039 Mailboxes");

    EXPECT_EQ(TouchSequence(screen, {160, 40}).end({160, 40}), ""); // the title
    EXPECT_EQ(navigation->topViewController(), pushed.get());
    EXPECT_EQ(TouchSequence(screen, {30, 40}).end({30, 40}), "back");
    EXPECT_EQ(navigation->topViewController(), root.get());
    screen->layoutIfNeeded();
    EXPECT_TRUE(navigation->navigationBar()->backLabel()->isHidden());
    EXPECT_EQ(TouchSequence(screen, {30, 40}).end({30, 40}), ""); // nothing to go back to
}

// Keys go to the field being edited; Return ends editing with the platform's events; the front
// alert takes keys before the screen, Return picks its default button and Escape cancels it.
TEST_F(TouchDriverTest, KeysGoToTheFirstResponderAndAnswerTheFrontAlert) {
    auto field = UIView::withFrame<UITextField>(CGRectMake(10, 420, 200, 30));
    screen->addSubview(field.get());
    auto recorder = makeRecorder();
    field->addTarget(recorder.get(), sel("act:"), UIControlEventEditingChanged);
    field->addTarget(recorder.get(), sel("other:"), UIControlEventEditingDidEndOnExit);
    field->addTarget(recorder.get(), sel("act:withEvent:"), UIControlEventEditingDidEnd);
    EXPECT_FALSE(KeyboardDriver::insertText(screen.get(), "x")); // nobody is editing

    TouchSequence(screen.get(), {50, 435}).end({50, 435});
    EXPECT_EQ(KeyboardDriver::firstResponder(screen.get()), field.get());
    EXPECT_TRUE(KeyboardDriver::insertText(screen.get(), "caf\u00e9"));
    EXPECT_TRUE(KeyboardDriver::deleteBackward(screen.get()));
    EXPECT_EQ(field->text(), "caf"); // the whole two-byte character went
    EXPECT_TRUE(KeyboardDriver::pressReturn(screen.get()));
    EXPECT_FALSE(field->isEditing());
    EXPECT_EQ(recorder->selectors(),
              (std::vector<std::string>{"act:", "act:", "other:", "act:withEvent:"}));

    auto delegate = makeRecorder();
    auto alert = UIAlertView::withTitle("", "Enter a value", delegate.get(), "Cancel", {"Save"});
    alert->setAlertViewStyle(UIAlertViewStylePlainTextInput);
    alert->show();
    EXPECT_TRUE(KeyboardDriver::insertText(screen.get(), "42"));
    EXPECT_EQ(alert->textFieldAtIndex(0)->text(), "42");
    EXPECT_TRUE(KeyboardDriver::pressReturn(screen.get()));
    EXPECT_FALSE(alert->isVisible());
    EXPECT_EQ(delegate->messages.at(0).number, 1); // Save

    auto second = UIAlertView::withTitle("Remind me", "", delegate.get(), "Cancel", {"Add"});
    second->show();
    EXPECT_TRUE(KeyboardDriver::pressEscape());
    EXPECT_FALSE(second->isVisible());
    EXPECT_EQ(delegate->messages.back().number, 0); // Cancel
    EXPECT_FALSE(KeyboardDriver::pressEscape());
}

// A finger dragged over content moves it with the finger; the wheel moves it by steps; neither
// goes past the content and its insets.
TEST(ScrollDriverTest, DragsAndTheWheelMoveTheContentWithinItsBounds) {
    auto screen = UIView::withFrame(CGRectMake(0, 0, 320, 568));
    auto scroll = UIView::withFrame<UIScrollView>(CGRectMake(0, 64, 320, 400));
    scroll->setContentSize(CGSizeMake(320, 1000));
    scroll->setContentInset({44, 0, 0, 0});
    screen->addSubview(scroll.get());

    TouchSequence finger(screen.get(), {100, 400});
    finger.move({100, 300});
    EXPECT_EQ(scroll->contentOffset().y, 100);
    finger.move({100, 50});
    EXPECT_EQ(scroll->contentOffset().y, 350);
    EXPECT_EQ(finger.end({100, 50}), "");

    EXPECT_TRUE(ScrollDriver::scrollAt(screen.get(), {160, 300}, {0, 1000}));
    EXPECT_EQ(scroll->contentOffset().y, 600); // the content's end at the bottom edge
    EXPECT_FALSE(ScrollDriver::scrollAt(screen.get(), {160, 300}, {0, 40}));
    EXPECT_TRUE(ScrollDriver::scrollAt(screen.get(), {160, 300}, {-50, -2000}));
    EXPECT_EQ(scroll->contentOffset().x, 0);
    EXPECT_EQ(scroll->contentOffset().y, -44); // the inset's room above the content
    EXPECT_FALSE(ScrollDriver::scrollAt(screen.get(), {160, 20}, {0, 40})); // not over it
    scroll->setScrollEnabled(false);
    EXPECT_FALSE(ScrollDriver::scrollAt(screen.get(), {160, 300}, {0, 40}));
}

} // namespace
