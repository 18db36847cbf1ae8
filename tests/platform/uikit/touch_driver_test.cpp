#include "platform/dispatch/run_loop.hpp"
#include "platform/uikit/TouchDriver.hpp"
#include "platform/uikit/UIAlertView.hpp"
#include "platform/uikit/UILongPressGestureRecognizer.hpp"
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

} // namespace
