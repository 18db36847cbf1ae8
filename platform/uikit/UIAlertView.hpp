// UIAlertView: a titled message with buttons, an optional text field style and an accessory
// view, answered through its delegate (held weakly, reached through the runtime only for
// the selectors it responds to: alertView:clickedButtonAtIndex:,
// alertView:willDismissWithButtonIndex:, alertView:didDismissWithButtonIndex:, each
// void(id alert, NSInteger index); willPresentAlertView:, didPresentAlertView:, void(id)). Shown
// alerts are listed process-wide, front last, as the platform's alert window holds them; tests and
// the command line read that list and answer an alert by button index or title, after typing into
// its text field.
//   auto alert = UIAlertView::withTitle("", "Enter a value", cell, "Cancel", {"Save"});
//   alert->setAlertViewStyle(UIAlertViewStylePlainTextInput);  alert->show();
//   UIAlertView::shownAlerts().back()->textFieldAtIndex(0)->setText("42");
//   UIAlertView::shownAlerts().back()->tapButtonWithTitle("Save");
#pragma once

#include "platform/uikit/UIView.hpp"

#include <optional>
#include <string>
#include <vector>

class UITextField;

using UIAlertViewStyle = NSInteger;
inline constexpr UIAlertViewStyle UIAlertViewStyleDefault = 0;
inline constexpr UIAlertViewStyle UIAlertViewStyleSecureTextInput = 1;
inline constexpr UIAlertViewStyle UIAlertViewStylePlainTextInput = 2;
inline constexpr UIAlertViewStyle UIAlertViewStyleLoginAndPasswordInput = 3;

class UIAlertView : public UIView {
public:
    static Class registerRuntimeClass();

    // A new alert through initWithTitle:message:delegate:cancelButtonTitle:otherButtonTitles:.
    // An empty cancel title means no cancel button (the platform's nil).
    static objc::Ref<UIAlertView> withTitle(const std::string& title, const std::string& message,
                                            NSObject* delegate,
                                            const std::string& cancelButtonTitle,
                                            const std::vector<std::string>& otherButtonTitles);

    // The cancel button (when its title is not empty) is index 0; the others follow in order.
    // Answers the receiver.
    UIAlertView* initWithTitle(std::string title, std::string message, NSObject* delegate,
                               std::string cancelButtonTitle,
                               std::vector<std::string> otherButtonTitles);

    std::string title() const { return m_title; }
    void setTitle(std::string title) { m_title = std::move(title); }
    std::string message() const { return m_message; }
    void setMessage(std::string message) { m_message = std::move(message); }
    id delegate() const { return m_delegate.get(); }
    void setDelegate(id delegate) { m_delegate = delegate; }

    NSInteger addButtonWithTitle(std::string title);
    NSInteger numberOfButtons() const { return static_cast<NSInteger>(m_buttonTitles.size()); }
    // Throws std::out_of_range for an index that names no button.
    std::string buttonTitleAtIndex(NSInteger index) const;
    const std::vector<std::string>& buttonTitles() const { return m_buttonTitles; }
    NSInteger cancelButtonIndex() const { return m_cancelButtonIndex; }
    void setCancelButtonIndex(NSInteger index) { m_cancelButtonIndex = index; }
    // The first button that is not the cancel button; -1 when there is none.
    NSInteger firstOtherButtonIndex() const;

    UIAlertViewStyle alertViewStyle() const { return m_style; }
    // Makes the text fields the style asks for (none, one, or login and password).
    void setAlertViewStyle(UIAlertViewStyle style);
    // Throws std::out_of_range when the style has no field at index.
    UITextField* textFieldAtIndex(NSInteger index) const;
    NSInteger numberOfTextFields() const { return static_cast<NSInteger>(m_textFields.size()); }

    UIView* accessoryView() const { return m_accessoryView.get(); }
    void setAccessoryView(UIView* view) { m_accessoryView = view; }
    // Key-value coding as far as alerts are used: "accessoryView" only (std::invalid_argument
    // for any other key, as the platform raises for an unknown key).
    void setValueForKey(NSObject* value, std::string key);

    bool isVisible() const { return m_visible; }
    // Lists the alert (moved to the front when listed already) and tells the delegate
    // (willPresentAlertView:, didPresentAlertView:).
    void show();
    // Programmatic dismissal: alertView:willDismissWithButtonIndex:, then unlisted, then
    // alertView:didDismissWithButtonIndex:. Nothing happens when the alert is not shown.
    void dismissWithClickedButtonIndex(NSInteger index, bool animated);

    // A user's tap on a shown alert's button: alertView:clickedButtonAtIndex: first, then the
    // dismissal. Returns false (and does nothing) when the alert is not shown or there is no
    // such button.
    bool tapButtonAtIndex(NSInteger index);
    bool tapButtonWithTitle(const std::string& title);

    // Builds the alert's look (title, message, text fields, accessory view, buttons on a
    // rounded card) and centres it on the main screen, so that a picture of the screen can
    // show it on top; show does this. Its buttons answer the alert when tapped.
    void layoutForDisplay();
    // The action of the shown buttons (the button's tag is its index).
    void buttonTapped(NSObject* sender);

    // The shown alerts, oldest first (the front one is last). Each is held until dismissed.
    static std::vector<objc::Ref<UIAlertView>> shownAlerts();
    // Answers the front alert as a user would: types each text into the text field of the
    // same index, then taps the button of that title. False (nothing typed or tapped) when no
    // alert is shown, it has no such button, or more texts than text fields are given.
    static bool answerFrontAlert(const std::string& buttonTitle,
                                 const std::vector<std::string>& typedTexts = {});
    // Dismisses every shown alert without telling any delegate (between tests, at app exit).
    static void removeAllShownAlerts();

private:
    std::string m_title;
    std::string m_message;
    objc::WeakRef<NSObject> m_delegate;
    std::vector<std::string> m_buttonTitles;
    NSInteger m_cancelButtonIndex{-1};
    UIAlertViewStyle m_style{UIAlertViewStyleDefault};
    std::vector<objc::Ref<UITextField>> m_textFields;
    objc::Ref<UIView> m_accessoryView;
    std::vector<objc::Ref<UIView>> m_shownParts;
    bool m_visible{false};
};
