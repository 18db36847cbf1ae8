#include "platform/uikit/UIAlertView.hpp"

#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UITextField.hpp"

#include <algorithm>
#include <stdexcept>

namespace {
[[maybe_unused]] const Class registeredAtLoad = UIAlertView::registerRuntimeClass();

constexpr CGFloat kAlertWidth = 270;
constexpr CGFloat kPadding = 16;
constexpr CGFloat kButtonHeight = 44;

// The platform's alert window: every shown alert, front last.
std::vector<objc::Ref<UIAlertView>>& alertWindow() {
    static std::vector<objc::Ref<UIAlertView>> alerts;
    return alerts;
}

void unlist(UIAlertView* alert) {
    std::erase_if(alertWindow(), [alert](const objc::Ref<UIAlertView>& a) { return a == alert; });
}

// Sends a delegate message only when the delegate is alive and responds to it.
template <class... Args>
void tellDelegate(NSObject* delegate, const char* selectorName, Args... args) {
    const SEL selector = sel_registerName(selectorName);
    if (delegate && delegate->respondsToSelector(selector))
        objc::msgSend<void(Args...)>(delegate, selector, args...);
}
} // namespace

Class UIAlertView::registerRuntimeClass() {
    UIView::registerRuntimeClass();
    UITextField::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<UIAlertView, UIView>("UIAlertView")
            // Strings and the title list encoded as the platform's objects.
            .method<&UIAlertView::initWithTitle>(
                "initWithTitle:message:delegate:cancelButtonTitle:otherButtonTitles:", "@@:@@@@@")
            .method<&UIAlertView::title>("title")
            .method<&UIAlertView::setTitle>("setTitle:")
            .method<&UIAlertView::message>("message")
            .method<&UIAlertView::setMessage>("setMessage:")
            .method<&UIAlertView::delegate>("delegate")
            .method<&UIAlertView::setDelegate>("setDelegate:")
            .method<&UIAlertView::addButtonWithTitle>("addButtonWithTitle:")
            .method<&UIAlertView::numberOfButtons>("numberOfButtons")
            .method<&UIAlertView::buttonTitleAtIndex>("buttonTitleAtIndex:")
            .method<&UIAlertView::cancelButtonIndex>("cancelButtonIndex")
            .method<&UIAlertView::setCancelButtonIndex>("setCancelButtonIndex:")
            .method<&UIAlertView::firstOtherButtonIndex>("firstOtherButtonIndex")
            .method<&UIAlertView::alertViewStyle>("alertViewStyle")
            .method<&UIAlertView::setAlertViewStyle>("setAlertViewStyle:")
            .method<&UIAlertView::textFieldAtIndex>("textFieldAtIndex:")
            .method<&UIAlertView::setValueForKey>("setValue:forKey:", "v@:@@")
            .method<&UIAlertView::isVisible>("isVisible")
            .method<&UIAlertView::buttonTapped>("_buttonTapped:")
            .method<&UIAlertView::show>("show")
            .method<&UIAlertView::dismissWithClickedButtonIndex>(
                "dismissWithClickedButtonIndex:animated:");
    return cls;
}

objc::Ref<UIAlertView> UIAlertView::withTitle(const std::string& title, const std::string& message,
                                              NSObject* delegate,
                                              const std::string& cancelButtonTitle,
                                              const std::vector<std::string>& otherButtonTitles) {
    auto alert = objc::make<UIAlertView>();
    objc::msgSend<UIAlertView*(std::string, std::string, id, std::string,
                               std::vector<std::string>)>(
        alert,
        sel_registerName("initWithTitle:message:delegate:cancelButtonTitle:otherButtonTitles:"),
        title, message, delegate, cancelButtonTitle, otherButtonTitles);
    return alert;
}

UIAlertView* UIAlertView::initWithTitle(std::string title, std::string message, NSObject* delegate,
                                        std::string cancelButtonTitle,
                                        std::vector<std::string> otherButtonTitles) {
    m_title = std::move(title);
    m_message = std::move(message);
    m_delegate = delegate;
    m_buttonTitles.clear();
    m_cancelButtonIndex = -1;
    if (!cancelButtonTitle.empty()) {
        m_cancelButtonIndex = 0;
        m_buttonTitles.push_back(std::move(cancelButtonTitle));
    }
    for (std::string& other : otherButtonTitles)
        m_buttonTitles.push_back(std::move(other));
    return this;
}

NSInteger UIAlertView::addButtonWithTitle(std::string title) {
    m_buttonTitles.push_back(std::move(title));
    return numberOfButtons() - 1;
}

std::string UIAlertView::buttonTitleAtIndex(NSInteger index) const {
    if (index < 0 || index >= numberOfButtons())
        throw std::out_of_range("the alert has no button " + std::to_string(index));
    return m_buttonTitles[static_cast<std::size_t>(index)];
}

NSInteger UIAlertView::firstOtherButtonIndex() const {
    for (NSInteger i = 0; i < numberOfButtons(); ++i) {
        if (i != m_cancelButtonIndex)
            return i;
    }
    return -1;
}

void UIAlertView::setAlertViewStyle(UIAlertViewStyle style) {
    if (style == m_style)
        return;
    m_style = style;
    m_textFields.clear();
    const int count = style == UIAlertViewStyleDefault                 ? 0
                      : style == UIAlertViewStyleLoginAndPasswordInput ? 2
                                                                       : 1;
    for (int i = 0; i < count; ++i) {
        auto field = UIView::withFrame<UITextField>(CGRectMake(0, 0, 240, 30));
        const bool secure = style == UIAlertViewStyleSecureTextInput ||
                            (style == UIAlertViewStyleLoginAndPasswordInput && i == 1);
        field->setSecureTextEntry(secure);
        m_textFields.push_back(field);
    }
}

UITextField* UIAlertView::textFieldAtIndex(NSInteger index) const {
    if (index < 0 || index >= numberOfTextFields())
        throw std::out_of_range("the alert has no text field " + std::to_string(index));
    return m_textFields[static_cast<std::size_t>(index)].get();
}

void UIAlertView::setValueForKey(NSObject* value, std::string key) {
    if (key != "accessoryView")
        throw std::invalid_argument("UIAlertView has no key " + key);
    auto* view = dynamic_cast<UIView*>(value);
    if (value && !view)
        throw std::invalid_argument("an alert's accessoryView must be a view");
    m_accessoryView = view;
}

void UIAlertView::show() {
    objc::Ref<UIAlertView> self(this);
    objc::Ref<NSObject> delegate = m_delegate.lock();
    tellDelegate<id>(delegate.get(), "willPresentAlertView:", this);
    unlist(this);
    alertWindow().push_back(self);
    m_visible = true;
    layoutForDisplay();
    tellDelegate<id>(delegate.get(), "didPresentAlertView:", this);
}

void UIAlertView::dismissWithClickedButtonIndex(NSInteger index, bool) {
    if (!m_visible)
        return;
    // The list held the alert; keep it alive until its delegate has heard the end.
    objc::Ref<UIAlertView> self(this);
    tellDelegate<id, NSInteger>(m_delegate.lock().get(),
                                "alertView:willDismissWithButtonIndex:", this, index);
    m_visible = false;
    unlist(this);
    for (const auto& field : m_textFields)
        field->resignFirstResponder();
    tellDelegate<id, NSInteger>(m_delegate.lock().get(),
                                "alertView:didDismissWithButtonIndex:", this, index);
}

bool UIAlertView::tapButtonAtIndex(NSInteger index) {
    if (!m_visible || index < 0 || index >= numberOfButtons())
        return false;
    objc::Ref<UIAlertView> self(this);
    tellDelegate<id, NSInteger>(m_delegate.lock().get(), "alertView:clickedButtonAtIndex:", this,
                                index);
    objc::msgSend<void(NSInteger, bool)>(
        this, sel_registerName("dismissWithClickedButtonIndex:animated:"), index, true);
    return true;
}

bool UIAlertView::tapButtonWithTitle(const std::string& title) {
    auto found = std::find(m_buttonTitles.begin(), m_buttonTitles.end(), title);
    if (found == m_buttonTitles.end())
        return false;
    return tapButtonAtIndex(found - m_buttonTitles.begin());
}

std::vector<objc::Ref<UIAlertView>> UIAlertView::shownAlerts() {
    return alertWindow();
}

bool UIAlertView::answerFrontAlert(const std::string& buttonTitle,
                                   const std::vector<std::string>& typedTexts) {
    if (alertWindow().empty())
        return false;
    objc::Ref<UIAlertView> alert = alertWindow().back();
    const auto& titles = alert->m_buttonTitles;
    if (std::find(titles.begin(), titles.end(), buttonTitle) == titles.end() ||
        typedTexts.size() > alert->m_textFields.size())
        return false;
    for (std::size_t i = 0; i < typedTexts.size(); ++i)
        alert->m_textFields[i]->setText(typedTexts[i]);
    return alert->tapButtonWithTitle(buttonTitle);
}

void UIAlertView::removeAllShownAlerts() {
    std::vector<objc::Ref<UIAlertView>> alerts;
    alerts.swap(alertWindow());
    for (const auto& alert : alerts)
        alert->m_visible = false;
}

void UIAlertView::layoutForDisplay() {
    for (const auto& part : m_shownParts)
        part->removeFromSuperview();
    m_shownParts.clear();
    setBackgroundColor(UIColor::colorWithWhite(0.97, 1).get());
    layer()->setCornerRadius(12);
    layer()->setMasksToBounds(true);

    const CGFloat innerWidth = kAlertWidth - 2 * kPadding;
    CGFloat y = kPadding;
    auto addText = [&](const std::string& text, objc::Ref<UIFont> font) {
        if (text.empty())
            return;
        auto label = objc::make<UILabel>();
        label->setText(text);
        label->setFont(font.get());
        label->setNumberOfLines(0);
        label->setTextAlignment(NSTextAlignmentCenter);
        label->setUserInteractionEnabled(false);
        const CGFloat height = label->sizeThatFits(CGSizeMake(innerWidth, 0)).height;
        label->setFrame(CGRectMake(kPadding, y, innerWidth, height));
        y += height + 4;
        m_shownParts.push_back(label);
    };
    addText(m_title, UIFont::boldSystemFontOfSize(17));
    addText(m_message, UIFont::systemFontOfSize(13));
    for (const auto& field : m_textFields) {
        y += 8;
        field->setFrame(CGRectMake(kPadding, y, innerWidth, 30));
        field->setBackgroundColor(UIColor::whiteColor().get());
        field->layer()->setBorderWidth(0.5);
        field->layer()->setBorderColor(quartz::Color::white(0.7, 1));
        y += 30;
        m_shownParts.emplace_back(field);
    }
    if (m_accessoryView) {
        y += 8;
        const CGSize size = m_accessoryView->frame().size;
        m_accessoryView->setFrame(
            CGRectMake((kAlertWidth - size.width) / 2, y, size.width, size.height));
        y += size.height;
        m_shownParts.push_back(m_accessoryView);
    }
    y += kPadding;

    // Two buttons share a row, as on the platform; more are stacked.
    const bool sideBySide = numberOfButtons() == 2;
    for (NSInteger i = 0; i < numberOfButtons(); ++i) {
        auto button = UIButton::buttonWithType(UIButtonTypeSystem);
        button->setTitle(m_buttonTitles[static_cast<std::size_t>(i)], UIControlStateNormal);
        button->setTag(i);
        button->addTarget(this, sel_registerName("_buttonTapped:"), UIControlEventTouchUpInside);
        if (i == m_cancelButtonIndex)
            button->titleLabel()->setFont(UIFont::boldSystemFontOfSize(17).get());
        const CGFloat width = sideBySide ? kAlertWidth / 2 : kAlertWidth;
        const CGFloat x = sideBySide ? width * static_cast<CGFloat>(i) : 0;
        const CGFloat top = sideBySide ? y : y + kButtonHeight * static_cast<CGFloat>(i);
        button->setFrame(CGRectMake(x, top, width, kButtonHeight));
        button->layer()->setBorderWidth(0.5);
        button->layer()->setBorderColor(quartz::Color::white(0.8, 1));
        m_shownParts.emplace_back(button);
    }
    const CGFloat rows = sideBySide ? 1 : static_cast<CGFloat>(numberOfButtons());
    const CGFloat height = y + rows * kButtonHeight;
    for (const auto& part : m_shownParts)
        addSubview(part.get());

    const CGRect screen = UIScreen::mainScreen()->bounds();
    setFrame(CGRectMake(screen.midX() - kAlertWidth / 2, screen.midY() - height / 2, kAlertWidth,
                        height));
}

void UIAlertView::buttonTapped(NSObject* sender) {
    if (auto* button = dynamic_cast<UIView*>(sender))
        tapButtonAtIndex(button->tag());
}
