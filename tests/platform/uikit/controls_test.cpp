#include "platform/uikit/UIControl.hpp"
#include "platform/uikit/UIEvent.hpp"
#include "tests/platform/uikit/message_recorder.hpp"

#include <gtest/gtest.h>

namespace {

TEST(TargetActionTest, ActionsGoToTheTargetsOfTheEventsWithTheirOwnArity) {
    auto target = makeRecorder();
    auto control = UIView::withFrame<UIControl>(CGRectMake(0, 0, 100, 40));
    objc::msgSend<void(id, SEL, NSUInteger)>(control, sel("addTarget:action:forControlEvents:"),
                                             target.get(), sel("act:"), UIControlEventValueChanged);
    control->addTarget(target.get(), sel("act"), UIControlEventTouchUpInside);
    control->addTarget(target.get(), sel("act:withEvent:"),
                       UIControlEventTouchUpInside | UIControlEventTouchUpOutside);

    control->sendActionsForControlEvents(UIControlEventValueChanged);
    ASSERT_EQ(target->selectors(), std::vector<std::string>{"act:"});
    EXPECT_EQ(target->messages[0].sender, control.get());

    target->messages.clear();
    control->sendActionsForControlEvents(UIControlEventTouchUpInside);
    EXPECT_EQ(target->selectors(), (std::vector<std::string>{"act", "act:withEvent:"}));
    EXPECT_EQ(control->allControlEvents(), UIControlEventValueChanged |
                                               UIControlEventTouchUpInside |
                                               UIControlEventTouchUpOutside);

    target->messages.clear();
    control->removeTarget(target.get(), sel("act:withEvent:"), UIControlEventTouchUpInside);
    control->sendActionsForControlEvents(UIControlEventTouchUpInside |
                                         UIControlEventTouchUpOutside);
    EXPECT_EQ(target->selectors(), (std::vector<std::string>{"act", "act:withEvent:"}));
}

TEST(TargetActionTest, TargetsAreHeldWeakly) {
    auto control = UIView::withFrame<UIControl>(CGRectMake(0, 0, 100, 40));
    auto target = makeRecorder();
    control->addTarget(target.get(), sel("act:"), UIControlEventValueChanged);
    objc::WeakRef<MessageRecorder> watch(target);
    target = nullptr;
    EXPECT_FALSE(watch);
    control->sendActionsForControlEvents(UIControlEventValueChanged); // nothing to call
    EXPECT_EQ(control->allControlEvents(), 0u);
}

TEST(TargetActionTest, TouchesBecomeTouchEventsInsideOrOutsideWithTheTouchInTheEvent) {
    auto target = makeRecorder();
    auto control = UIView::withFrame<UIControl>(CGRectMake(0, 0, 100, 40));
    control->addTarget(target.get(), sel("act:"), UIControlEventTouchUpInside);
    control->addTarget(target.get(), sel("other:"), UIControlEventTouchUpOutside);
    control->simulateTap();
    control->simulateTouch({{10, 10}, {400, 10}});
    EXPECT_EQ(target->selectors(), (std::vector<std::string>{"act:", "other:"}));

    // A disabled control sends nothing.
    control->setEnabled(false);
    control->simulateTap();
    EXPECT_EQ(target->messages.size(), 2u);
}

TEST(TargetActionTest, AnActionWithEventFindsTheTouchOfItsSender) {
    static CGPoint seen;
    MessageRecorder::registerRuntimeClass();
    class_addMethod(
        objc::classOf<MessageRecorder>(), sel("touched:withEvent:"),
        +[](id, SEL, id sender, id event) {
            auto* view = dynamic_cast<UIView*>(sender);
            auto touches = dynamic_cast<UIEvent*>(event)->touchesForView(view);
            ASSERT_EQ(touches.size(), 1u);
            seen = touches[0]->locationInView(view->superview());
        },
        "v@:@@");
    auto target = makeRecorder();
    auto parent = UIView::withFrame(CGRectMake(0, 0, 300, 300));
    auto control = UIView::withFrame<UIControl>(CGRectMake(10, 20, 100, 40));
    parent->addSubview(control.get());
    control->addTarget(target.get(), sel("touched:withEvent:"), UIControlEventTouchDragInside);
    control->simulateTouch({{0, 0}, {5, 6}, {5, 6}});
    EXPECT_EQ(seen, CGPointMake(15, 26));
}

} // namespace
