#include "platform/dispatch/run_loop.hpp"
#include "platform/uikit/UILongPressGestureRecognizer.hpp"
#include "platform/uikit/UIView.hpp"
#include "tests/platform/uikit/message_recorder.hpp"

#include <gtest/gtest.h>

namespace {

class LongPressTest : public testing::Test {
protected:
    void SetUp() override {
        dispatch::RunLoop::main().useVirtualClock();
        press = objc::make<UILongPressGestureRecognizer>(recorder.get(), sel("pressed:"));
        view->addGestureRecognizer(press.get());
    }
    void TearDown() override { dispatch::RunLoop::main().useRealClock(); }

    std::vector<long> statesSent() const {
        std::vector<long> states;
        for (const auto& m : recorder->messages)
            states.push_back(m.number);
        return states;
    }

    objc::Ref<MessageRecorder> recorder = makeRecorder();
    objc::Ref<UIView> view = UIView::withFrame(CGRectMake(0, 0, 100, 100));
    objc::Ref<UILongPressGestureRecognizer> press;
};

TEST_F(LongPressTest, ARecogniserKnowsItsViewAndTheDefaultDuration) {
    EXPECT_EQ(press->view(), view.get());
    EXPECT_DOUBLE_EQ(press->minimumPressDuration(), 0.5);
    EXPECT_EQ(press->state(), UIGestureRecognizerStatePossible);
    view->removeGestureRecognizer(press.get());
    EXPECT_EQ(press->view(), nullptr);
}

TEST_F(LongPressTest, ARecogniserAddedToAnotherViewLeavesTheFirst) {
    auto other = UIView::withFrame(CGRectMake(0, 0, 40, 40));
    other->addGestureRecognizer(press.get());
    EXPECT_EQ(press->view(), other.get());
    EXPECT_TRUE(view->gestureRecognizers().empty());
    ASSERT_EQ(other->gestureRecognizers().size(), 1u);
    other->addGestureRecognizer(press.get()); // again on the same view: no change
    EXPECT_EQ(other->gestureRecognizers().size(), 1u);
    EXPECT_EQ(press->view(), other.get());
}

TEST_F(LongPressTest, AShortPressSendsNothingAndALongOneSendsBeganThenEnded) {
    press->touchesBegan({10, 10});
    dispatch::RunLoop::main().advance(0.49);
    press->touchesEnded({10, 10});
    EXPECT_TRUE(recorder->messages.empty());
    EXPECT_EQ(press->state(), UIGestureRecognizerStateFailed);

    press->touchesBegan({20, 30});
    dispatch::RunLoop::main().advance(0.5);
    EXPECT_EQ(statesSent(), std::vector<long>{UIGestureRecognizerStateBegan});
    EXPECT_EQ(recorder->messages[0].sender, press.get());
    press->touchesEnded({20, 30});
    EXPECT_EQ(statesSent(),
              (std::vector<long>{UIGestureRecognizerStateBegan, UIGestureRecognizerStateEnded}));

    // The timer of the failed first press never fires later.
    dispatch::RunLoop::main().advance(5);
    EXPECT_EQ(recorder->messages.size(), 2u);
}

TEST_F(LongPressTest, MovingAfterBeganReportsChangedAndTheLocationConvertsToAnyView) {
    auto outer = UIView::withFrame(CGRectMake(0, 0, 300, 300));
    view->setFrame(CGRectMake(50, 60, 100, 100));
    outer->addSubview(view.get());
    press->setMinimumPressDuration(1.0);
    press->touchesBegan({5, 5});
    dispatch::RunLoop::main().advance(1.0);
    press->touchesMoved({40, 5});
    press->touchesEnded({40, 5});
    EXPECT_EQ(statesSent(),
              (std::vector<long>{UIGestureRecognizerStateBegan, UIGestureRecognizerStateChanged,
                                 UIGestureRecognizerStateEnded}));
    EXPECT_EQ(press->locationInView(outer.get()), CGPointMake(90, 65));
    EXPECT_EQ(objc::msgSend<CGPoint(id)>(press, sel("locationInView:"), nullptr),
              CGPointMake(40, 5));
}

TEST_F(LongPressTest, MovingTooFarBeforeTheDurationFails) {
    press->touchesBegan({10, 10});
    press->touchesMoved({30, 10});
    dispatch::RunLoop::main().advance(1);
    press->touchesEnded({30, 10});
    EXPECT_TRUE(recorder->messages.empty());
    EXPECT_EQ(press->state(), UIGestureRecognizerStateFailed);
}

TEST_F(LongPressTest, ADeadTargetIsNotCalledAndADisabledRecogniserIgnoresTouches) {
    recorder = nullptr; // the recogniser held it weakly
    press->touchesBegan({10, 10});
    dispatch::RunLoop::main().advance(1);
    press->touchesEnded({10, 10});
    EXPECT_EQ(press->state(), UIGestureRecognizerStateEnded);

    press->setEnabled(false);
    press->touchesBegan({10, 10});
    dispatch::RunLoop::main().advance(1);
    EXPECT_EQ(press->state(), UIGestureRecognizerStatePossible);
}

} // namespace
