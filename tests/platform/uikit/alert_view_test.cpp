#include "platform/uikit/TouchDriver.hpp"
#include "platform/uikit/UIAlertView.hpp"
#include "platform/uikit/UITextField.hpp"
#include "tests/platform/uikit/message_recorder.hpp"

#include <gtest/gtest.h>

namespace {

class AlertViewTest : public testing::Test {
protected:
    void TearDown() override { UIAlertView::removeAllShownAlerts(); }

    objc::Ref<MessageRecorder> delegate = makeRecorder();
};

TEST_F(AlertViewTest, ButtonsAreNumberedFromTheCancelButton) {
    auto alert = UIAlertView::withTitle("", "Enter a value", delegate.get(), "Cancel", {"Save"});
    EXPECT_EQ(alert->numberOfButtons(), 2);
    EXPECT_EQ(alert->cancelButtonIndex(), 0);
    EXPECT_EQ(alert->firstOtherButtonIndex(), 1);
    EXPECT_EQ(alert->buttonTitleAtIndex(1), "Save");

    // Without a cancel title, buttons are added in order and the cancel index is chosen.
    auto reminder = UIAlertView::withTitle("Create Reminder", "", delegate.get(), "", {});
    EXPECT_EQ(reminder->addButtonWithTitle("Add"), 0);
    EXPECT_EQ(reminder->addButtonWithTitle("Cancel"), 1);
    reminder->setCancelButtonIndex(1);
    EXPECT_EQ(reminder->firstOtherButtonIndex(), 0);
    EXPECT_THROW(reminder->buttonTitleAtIndex(2), std::out_of_range);
}

TEST_F(AlertViewTest, AnAnsweredAlertTellsItsDelegateClickedThenDidDismissAndLeavesTheList) {
    auto alert = UIAlertView::withTitle("", "Enter a value", delegate.get(), "Cancel", {"Save"});
    alert->setAlertViewStyle(UIAlertViewStylePlainTextInput);
    objc::msgSend<void>(alert, sel("show"));
    ASSERT_EQ(UIAlertView::shownAlerts().size(), 1u);

    auto shown = UIAlertView::shownAlerts().back();
    shown->textFieldAtIndex(0)->setText("42");
    EXPECT_TRUE(shown->tapButtonWithTitle("Save"));

    EXPECT_EQ(delegate->selectors(),
              (std::vector<std::string>{"alertView:clickedButtonAtIndex:",
                                        "alertView:didDismissWithButtonIndex:"}));
    EXPECT_EQ(delegate->messages[0].number, 1);
    EXPECT_EQ(delegate->messages[1].sender, alert.get());
    EXPECT_TRUE(UIAlertView::shownAlerts().empty());
    EXPECT_FALSE(alert->isVisible());
    EXPECT_EQ(alert->textFieldAtIndex(0)->text(), "42");
    // An alert that is not shown cannot be answered.
    EXPECT_FALSE(alert->tapButtonAtIndex(0));
}

TEST_F(AlertViewTest, ProgrammaticDismissalSkipsClickedAndADeadDelegateIsNotCalled) {
    auto alert = UIAlertView::withTitle("ERROR", "Unable", delegate.get(), "", {"OK"});
    alert->show();
    alert->show(); // shown again: still listed once
    EXPECT_EQ(UIAlertView::shownAlerts().size(), 1u);
    objc::msgSend<void(NSInteger, bool)>(alert, sel("dismissWithClickedButtonIndex:animated:"), 0L,
                                         true);
    EXPECT_EQ(delegate->selectors(),
              std::vector<std::string>{"alertView:didDismissWithButtonIndex:"});

    auto orphan = UIAlertView::withTitle("", "", delegate.get(), "Cancel", {});
    orphan->show();
    delegate = nullptr; // the alert held it weakly: nothing is sent to a dead object
    EXPECT_TRUE(UIAlertView::shownAlerts().back()->tapButtonAtIndex(0));
    EXPECT_TRUE(UIAlertView::shownAlerts().empty());
}

TEST_F(AlertViewTest, AShownAlertIsDrawnWithButtonsThatAnswerIt) {
    auto alert = UIAlertView::withTitle("Create Reminder", "Lunch", delegate.get(), "", {});
    alert->addButtonWithTitle("Add");
    alert->addButtonWithTitle("Cancel");
    alert->setCancelButtonIndex(1);
    alert->show();
    const CGRect card = alert->bounds();
    EXPECT_DOUBLE_EQ(card.width(), 270);
    // The right half of the bottom row is the second button.
    EXPECT_EQ(TouchDriver::tap(alert.get(), {200, card.height() - 10}), "UIButton");
    ASSERT_EQ(delegate->messages.size(), 2u);
    EXPECT_EQ(delegate->messages[0].number, 1);
    EXPECT_TRUE(UIAlertView::shownAlerts().empty());
}

TEST_F(AlertViewTest, StylesMakeTheirTextFieldsAndTheAccessoryViewIsSetByKey) {
    auto alert = UIAlertView::withTitle("", "", nullptr, "Cancel", {"OK"});
    EXPECT_THROW(alert->textFieldAtIndex(0), std::out_of_range);
    alert->setAlertViewStyle(UIAlertViewStyleLoginAndPasswordInput);
    EXPECT_FALSE(alert->textFieldAtIndex(0)->isSecureTextEntry());
    EXPECT_TRUE(alert->textFieldAtIndex(1)->isSecureTextEntry());
    objc::msgSend<void(NSInteger)>(alert, sel("setAlertViewStyle:"), 2L);
    EXPECT_EQ(alert->numberOfTextFields(), 1);

    auto picker = UIView::withFrame(CGRectMake(0, 0, 360, 100));
    objc::msgSend<void(id, std::string)>(alert, sel("setValue:forKey:"), picker.get(),
                                         std::string("accessoryView"));
    EXPECT_EQ(alert->accessoryView(), picker.get());
    EXPECT_THROW(alert->setValueForKey(picker.get(), "noSuchKey"), std::invalid_argument);
}

} // namespace
