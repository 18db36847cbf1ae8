#include "platform/dispatch/run_loop.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIControl.hpp"
#include "platform/uikit/UIDatePicker.hpp"
#include "platform/uikit/UIEvent.hpp"
#include "platform/uikit/UISegmentedControl.hpp"
#include "platform/uikit/UISlider.hpp"
#include "platform/uikit/UISwitch.hpp"
#include "platform/uikit/UITextField.hpp"
#include "tests/platform/uikit/message_recorder.hpp"

#include <gtest/gtest.h>
#include <limits>

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

TEST(SliderTest, ValuesAreHeldWithinTheRange) {
    auto slider = UIView::withFrame<UISlider>(CGRectMake(0, 0, 228, 40));
    objc::msgSend<void(float)>(slider, sel("setMinimumValue:"), 0.0f);
    objc::msgSend<void(float)>(slider, sel("setMaximumValue:"), 100.0f);
    struct Case {
        float given;
        float held;
    };
    for (const Case& c : {Case{42.7f, 42.7f}, Case{250, 100}, Case{-3, 0}, Case{100, 100},
                          Case{std::numeric_limits<float>::quiet_NaN(), 0}}) {
        objc::msgSend<void(float)>(slider, sel("setValue:"), c.given);
        EXPECT_FLOAT_EQ(objc::msgSend<float>(slider, sel("value")), c.held) << c.given;
    }
    // A new range takes the value along.
    slider->setValue(80);
    slider->setMaximumValue(50);
    EXPECT_FLOAT_EQ(slider->value(), 50);
    slider->setMinimumValue(60);
    EXPECT_FLOAT_EQ(slider->maximumValue(), 60);
    EXPECT_FLOAT_EQ(slider->value(), 60);
}

TEST(SliderTest, ADragSendsValueChangedWhileContinuousThenTouchUp) {
    auto target = makeRecorder();
    auto slider = UIView::withFrame<UISlider>(CGRectMake(0, 0, 228, 40));
    slider->setMaximumValue(100);
    slider->addTarget(target.get(), sel("act:"), UIControlEventValueChanged);
    slider->addTarget(target.get(), sel("other:"),
                      UIControlEventTouchUpInside | UIControlEventTouchUpOutside);

    slider->simulateDragToValue(50);
    EXPECT_FLOAT_EQ(slider->value(), 50);
    EXPECT_EQ(target->selectors(), (std::vector<std::string>{"act:", "act:", "other:"}));

    // Not continuous: one value change at the end, before the touch up (here outside).
    target->messages.clear();
    slider->setContinuous(false);
    const CGPoint thumb = slider->thumbCenter();
    slider->simulateTouch({thumb, {thumb.x + 30, 20}, {500, 300}});
    EXPECT_FLOAT_EQ(slider->value(), 100);
    EXPECT_EQ(target->selectors(), (std::vector<std::string>{"act:", "other:"}));
}

TEST(SegmentedControlTest, ATappedSegmentIsSelectedAndSendsValueChangedOnce) {
    auto target = makeRecorder();
    auto bar = UISegmentedControl::withItems({"All", "Unread", "Flagged"});
    bar->setFrame(CGRectMake(6, -38, 308, 30));
    bar->setSelectedSegmentIndex(0);
    bar->addTarget(target.get(), sel("act:"), UIControlEventValueChanged);
    EXPECT_EQ(bar->numberOfSegments(), 3);
    EXPECT_EQ(bar->titleForSegmentAtIndex(1), "Unread");

    bar->tapSegmentAtIndex(1);
    EXPECT_EQ(objc::msgSend<NSInteger>(bar, sel("selectedSegmentIndex")), 1);
    bar->tapSegmentAtIndex(1);       // no change, no action
    bar->setSelectedSegmentIndex(2); // code sends nothing
    EXPECT_EQ(target->messages.size(), 1u);
    EXPECT_EQ(target->messages[0].sender, bar.get());

    bar->setSelectedSegmentIndex(7);
    EXPECT_EQ(bar->selectedSegmentIndex(), UISegmentedControlNoSegment);
    bar->setMomentary(true);
    bar->tapSegmentAtIndex(0);
    EXPECT_EQ(bar->selectedSegmentIndex(), UISegmentedControlNoSegment);
    EXPECT_EQ(target->messages.size(), 2u);
}

TEST(ButtonAndSwitchTest, ATapSendsTouchUpInsideAndFlipsASwitch) {
    auto target = makeRecorder();
    auto button = objc::msgSendClass<objc::Ref<UIButton>(NSInteger)>(objc::classOf<UIButton>(),
                                                                     sel("buttonWithType:"), 1L);
    button->setFrame(CGRectMake(0, 0, 60, 30));
    button->setTitle("Save", UIControlStateNormal);
    button->addTarget(target.get(), sel("act:"), UIControlEventTouchUpInside);
    button->simulateTap();
    EXPECT_EQ(button->titleLabel()->text(), "Save");
    EXPECT_EQ(button->titleForState(UIControlStateHighlighted), "Save");

    auto toggle = UIView::withFrame<UISwitch>(CGRectZero);
    toggle->addTarget(target.get(), sel("other:"), UIControlEventValueChanged);
    toggle->simulateTap();
    EXPECT_TRUE(toggle->isOn());
    toggle->setOn(false); // code sends nothing
    EXPECT_EQ(target->selectors(), (std::vector<std::string>{"act:", "other:"}));
}

TEST(TextFieldTest, EditingAsksAndTellsTheDelegate) {
    MessageRecorder::registerRuntimeClass();
    static std::vector<std::string> heard;
    Class cls = objc::classOf<MessageRecorder>();
    class_addMethod(
        cls, sel("textFieldShouldReturn:"),
        +[](id, SEL, id) {
            heard.push_back("shouldReturn");
            return true;
        },
        "B@:@");
    class_addMethod(
        cls, sel("textFieldDidEndEditing:"), +[](id, SEL, id) { heard.push_back("didEnd"); },
        "v@:@");
    auto delegate = makeRecorder();
    auto field = UIView::withFrame<UITextField>(CGRectMake(0, 0, 60, 30));
    field->setDelegate(delegate.get());
    field->setKeyboardType(UIKeyboardTypeNumberPad);
    field->typeText("4");
    field->typeText("2");
    field->pressReturn();
    EXPECT_TRUE(field->resignFirstResponder());
    EXPECT_EQ(field->text(), "42");
    EXPECT_EQ(heard, (std::vector<std::string>{"shouldReturn", "didEnd"}));

    field->setEnabled(false); // a disabled field cannot be edited
    field->typeText("x");
    EXPECT_EQ(field->text(), "42");
}

TEST(DatePickerTest, DatesAreHeldWithinTheLimits) {
    auto picker = UIView::withFrame<UIDatePicker>(CGRectMake(0, 0, 360, 100));
    picker->setDatePickerMode(UIDatePickerModeDateAndTime);
    picker->setMinimumDate(foundation::Date{1000});
    picker->setDate(foundation::Date{10});
    EXPECT_DOUBLE_EQ(picker->date().secondsSinceReferenceDate, 1000);
    picker->setDate(foundation::Date{3600.0 * 24 + 42});
    EXPECT_EQ(picker->displayedText(), "2001-01-02 00:00");
    picker->setMinimumDate(std::nullopt);
    picker->setDate(foundation::Date{10});
    EXPECT_DOUBLE_EQ(picker->date().secondsSinceReferenceDate, 10);
}

} // namespace
