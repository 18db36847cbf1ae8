#include "platform/uikit/UITextField.hpp"

#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"
#include "platform/uikit/UILabel.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = UITextField::registerRuntimeClass();

constexpr CGFloat kTextInset = 4;

// Asks the delegate when it answers the question; true (go ahead) when it does not.
bool delegateAgrees(NSObject* delegate, const char* selectorName, UITextField* field) {
    const SEL selector = sel_registerName(selectorName);
    if (!delegate || !delegate->respondsToSelector(selector))
        return true;
    return objc::msgSend<bool(id)>(delegate, selector, field);
}

void tellDelegate(NSObject* delegate, const char* selectorName, UITextField* field) {
    const SEL selector = sel_registerName(selectorName);
    if (delegate && delegate->respondsToSelector(selector))
        objc::msgSend<void(id)>(delegate, selector, field);
}
} // namespace

Class UITextField::registerRuntimeClass() {
    UIControl::registerRuntimeClass();
    static const Class cls = objc::ClassBuilder<UITextField, UIControl>("UITextField")
                                 .method<&UITextField::text>("text")
                                 .method<&UITextField::setText>("setText:")
                                 .method<&UITextField::placeholder>("placeholder")
                                 .method<&UITextField::setPlaceholder>("setPlaceholder:")
                                 .method<&UITextField::textAlignment>("textAlignment")
                                 .method<&UITextField::setTextAlignment>("setTextAlignment:")
                                 .method<&UITextField::textColor>("textColor")
                                 .method<&UITextField::setTextColor>("setTextColor:")
                                 .method<&UITextField::font>("font")
                                 .method<&UITextField::setFont>("setFont:")
                                 .method<&UITextField::rightView>("rightView")
                                 .method<&UITextField::setRightView>("setRightView:")
                                 .method<&UITextField::rightViewMode>("rightViewMode")
                                 .method<&UITextField::setRightViewMode>("setRightViewMode:")
                                 .method<&UITextField::keyboardType>("keyboardType")
                                 .method<&UITextField::setKeyboardType>("setKeyboardType:")
                                 .method<&UITextField::returnKeyType>("returnKeyType")
                                 .method<&UITextField::setReturnKeyType>("setReturnKeyType:")
                                 .method<&UITextField::isSecureTextEntry>("isSecureTextEntry")
                                 .method<&UITextField::setSecureTextEntry>("setSecureTextEntry:")
                                 .method<&UITextField::delegate>("delegate")
                                 .method<&UITextField::setDelegate>("setDelegate:")
                                 .method<&UITextField::isEditing>("isEditing")
                                 .method<&UITextField::becomeFirstResponder>("becomeFirstResponder")
                                 .method<&UITextField::resignFirstResponder>("resignFirstResponder")
                                 .method<&UITextField::layoutSubviews>("layoutSubviews");
    return cls;
}

UITextField::UITextField() {
    m_textColor = UIColor::blackColor();
    m_label = objc::make<UILabel>();
    addSubview(m_label.get());
    showText();
}

void UITextField::setText(std::string text) {
    m_text = std::move(text);
    showText();
}

void UITextField::setPlaceholder(std::string placeholder) {
    m_placeholder = std::move(placeholder);
    showText();
}

void UITextField::setTextAlignment(NSTextAlignment alignment) {
    m_textAlignment = alignment;
    m_label->setTextAlignment(alignment);
}

UIColor* UITextField::textColor() const {
    return m_textColor.get();
}

void UITextField::setTextColor(UIColor* color) {
    m_textColor = color ? objc::Ref<UIColor>(color) : UIColor::blackColor();
    showText();
}

void UITextField::setRightView(UIView* view) {
    if (m_rightView)
        m_rightView->removeFromSuperview();
    m_rightView = view;
    if (m_rightView)
        addSubview(m_rightView.get());
    setNeedsLayout();
}

void UITextField::setRightViewMode(UITextFieldViewMode mode) {
    m_rightViewMode = mode;
    setNeedsLayout();
}

void UITextField::setSecureTextEntry(bool secure) {
    m_secureTextEntry = secure;
    showText();
}

bool UITextField::becomeFirstResponder() {
    if (m_editing)
        return true;
    if (!isEnabled() || !delegateAgrees(m_delegate.get(), "textFieldShouldBeginEditing:", this))
        return false;
    objc::Ref<UITextField> self(this);
    m_editing = true;
    tellDelegate(m_delegate.get(), "textFieldDidBeginEditing:", this);
    sendActionsForControlEvents(UIControlEventEditingDidBegin);
    setNeedsLayout();
    return true;
}

bool UITextField::resignFirstResponder() {
    if (!m_editing)
        return true;
    if (!delegateAgrees(m_delegate.get(), "textFieldShouldEndEditing:", this))
        return false;
    objc::Ref<UITextField> self(this);
    m_editing = false;
    tellDelegate(m_delegate.get(), "textFieldDidEndEditing:", this);
    sendActionsForControlEvents(UIControlEventEditingDidEnd);
    setNeedsLayout();
    return true;
}

void UITextField::typeText(const std::string& typed) {
    if (!m_editing && !becomeFirstResponder())
        return;
    m_text += typed;
    showText();
    sendActionsForControlEvents(UIControlEventEditingChanged);
}

void UITextField::deleteBackward() {
    if (!m_editing || m_text.empty())
        return;
    std::size_t cut = m_text.size() - 1;
    while (cut > 0 && (static_cast<unsigned char>(m_text[cut]) & 0xC0) == 0x80)
        --cut;
    m_text.erase(cut);
    showText();
    sendActionsForControlEvents(UIControlEventEditingChanged);
}

void UITextField::pressReturn() {
    if (!m_editing)
        return;
    objc::Ref<UITextField> self(this);
    delegateAgrees(m_delegate.get(), "textFieldShouldReturn:", this);
    // A target of EditingDidEndOnExit makes the return key end editing, as on the platform.
    const bool endsOnExit = !targetActionsFor(UIControlEventEditingDidEndOnExit).empty();
    sendActionsForControlEvents(UIControlEventEditingDidEndOnExit);
    if (endsOnExit)
        resignFirstResponder();
}

bool UITextField::rightViewShown() const {
    switch (m_rightViewMode) {
    case UITextFieldViewModeAlways:
        return true;
    case UITextFieldViewModeWhileEditing:
        return m_editing;
    case UITextFieldViewModeUnlessEditing:
        return !m_editing;
    default:
        return false;
    }
}

void UITextField::layoutSubviews() {
    const CGRect area = bounds();
    CGFloat textRight = area.maxX() - kTextInset;
    if (m_rightView) {
        const bool shown = rightViewShown();
        m_rightView->setHidden(!shown);
        if (shown) {
            const CGSize size = m_rightView->frame().size;
            m_rightView->setFrame(CGRectMake(area.maxX() - size.width,
                                             area.minY() + (area.height() - size.height) / 2,
                                             size.width, size.height));
            textRight = area.maxX() - size.width;
        }
    }
    const CGFloat left = area.minX() + kTextInset;
    m_label->setFrame(
        CGRectMake(left, area.minY(), std::max<CGFloat>(textRight - left, 0), area.height()));
}

void UITextField::showText() {
    if (m_text.empty()) {
        m_label->setText(m_placeholder);
        m_label->setTextColor(UIColor::colorWithWhite(0.7, 1).get());
    } else {
        m_label->setText(m_secureTextEntry ? std::string(m_text.size(), '*') : m_text);
        m_label->setTextColor(m_textColor.get());
    }
    setNeedsLayout();
}
