// UITextField: one line of editable text with a placeholder, alignment, a right-hand view
// and the keyboard settings stored for the platform. Editing is simulated: beginEditing,
// typeText / setText, pressReturn, endEditing ask and tell the delegate (held weakly) through
// the runtime, as UIKit does, and send the editing control events.
//   field->setRightView(unit.get());  field->setRightViewMode(UITextFieldViewModeAlways);
#pragma once

#include "platform/uikit/UIControl.hpp"
#include "platform/uikit/UILabel.hpp"

#include <string>

using UITextFieldViewMode = NSInteger;
inline constexpr UITextFieldViewMode UITextFieldViewModeNever = 0;
inline constexpr UITextFieldViewMode UITextFieldViewModeWhileEditing = 1;
inline constexpr UITextFieldViewMode UITextFieldViewModeUnlessEditing = 2;
inline constexpr UITextFieldViewMode UITextFieldViewModeAlways = 3;

using UIKeyboardType = NSInteger;
inline constexpr UIKeyboardType UIKeyboardTypeDefault = 0;
inline constexpr UIKeyboardType UIKeyboardTypeNumberPad = 4;

using UIReturnKeyType = NSInteger;
inline constexpr UIReturnKeyType UIReturnKeyDefault = 0;
inline constexpr UIReturnKeyType UIReturnKeyDone = 9;

class UITextField : public UIControl {
public:
    static Class registerRuntimeClass();

    UITextField();

    std::string text() const { return m_text; }
    void setText(std::string text);
    std::string placeholder() const { return m_placeholder; }
    void setPlaceholder(std::string placeholder);
    NSTextAlignment textAlignment() const { return m_textAlignment; }
    void setTextAlignment(NSTextAlignment alignment);
    UIColor* textColor() const;
    void setTextColor(UIColor* color);
    UIFont* font() const { return m_label->font(); }
    // Nil is the system font of 17 points.
    void setFont(UIFont* font) { m_label->setFont(font); }

    UIView* rightView() const { return m_rightView.get(); }
    void setRightView(UIView* view);
    UITextFieldViewMode rightViewMode() const { return m_rightViewMode; }
    void setRightViewMode(UITextFieldViewMode mode);

    UIKeyboardType keyboardType() const { return m_keyboardType; }
    void setKeyboardType(UIKeyboardType type) { m_keyboardType = type; }
    UIReturnKeyType returnKeyType() const { return m_returnKeyType; }
    void setReturnKeyType(UIReturnKeyType type) { m_returnKeyType = type; }
    bool isSecureTextEntry() const { return m_secureTextEntry; }
    void setSecureTextEntry(bool secure);

    id delegate() const { return m_delegate.get(); }
    void setDelegate(id delegate) { m_delegate = delegate; }
    bool isEditing() const { return m_editing; }

    // Starts editing when enabled and the delegate agrees (textFieldShouldBeginEditing:).
    bool becomeFirstResponder();
    // Ends editing when the delegate agrees (textFieldShouldEndEditing:), then tells it
    // (textFieldDidEndEditing:) and sends UIControlEventEditingDidEnd.
    bool resignFirstResponder();
    // Typing: starts editing if needed, appends the text and sends EditingChanged.
    void typeText(const std::string& typed);
    // The delete key: removes the last character (a whole UTF-8 sequence) while editing and
    // sends EditingChanged; nothing when the text is empty.
    void deleteBackward();
    // The return key: asks textFieldShouldReturn: and sends EditingDidEndOnExit.
    void pressReturn();

    // Places the text and the right-hand view.
    void layoutSubviews();

private:
    void showText();
    bool rightViewShown() const;

    std::string m_text;
    std::string m_placeholder;
    NSTextAlignment m_textAlignment{NSTextAlignmentLeft};
    objc::Ref<UIColor> m_textColor;
    objc::Ref<UILabel> m_label;
    objc::Ref<UIView> m_rightView;
    UITextFieldViewMode m_rightViewMode{UITextFieldViewModeNever};
    UIKeyboardType m_keyboardType{UIKeyboardTypeDefault};
    UIReturnKeyType m_returnKeyType{UIReturnKeyDefault};
    bool m_secureTextEntry{false};
    bool m_editing{false};
    objc::WeakRef<NSObject> m_delegate;
};
