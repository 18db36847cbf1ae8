#include "platform/uikit/UIButton.hpp"

#include "platform/uikit/UIColor.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = UIButton::registerRuntimeClass();
} // namespace

Class UIButton::registerRuntimeClass() {
    UIControl::registerRuntimeClass();
    UILabel::registerRuntimeClass();
    static const Class cls = objc::ClassBuilder<UIButton, UIControl>("UIButton")
                                 .classMethod(
                                     "buttonWithType:",
                                     +[](Class, SEL, NSInteger type) -> objc::Ref<NSObject> {
                                         return buttonWithType(type);
                                     })
                                 .method<&UIButton::buttonType>("buttonType")
                                 .method<&UIButton::titleForState>("titleForState:")
                                 .method<&UIButton::setTitle>("setTitle:forState:", "v@:@Q")
                                 .method<&UIButton::titleColorForState>("titleColorForState:")
                                 .method<&UIButton::setTitleColor>("setTitleColor:forState:")
                                 .method<&UIButton::currentTitle>("currentTitle")
                                 .method<&UIButton::titleLabel>("titleLabel")
                                 .method<&UIButton::layoutSubviews>("layoutSubviews");
    return cls;
}

UIButton::UIButton() {
    m_titleLabel = objc::make<UILabel>();
    m_titleLabel->setTextAlignment(NSTextAlignmentCenter);
    addSubview(m_titleLabel.get());
    m_titleColors[UIControlStateNormal] = UIColor::colorWithRed(0, 0.478, 1, 1);
    m_titleColors[UIControlStateDisabled] = UIColor::colorWithWhite(0.6, 1);
    showCurrentTitle();
}

objc::Ref<UIButton> UIButton::buttonWithType(UIButtonType type) {
    auto button = UIView::withFrame<UIButton>(CGRectZero);
    button->m_buttonType = type;
    return button;
}

std::string UIButton::titleForState(UIControlState state) const {
    if (auto found = m_titles.find(state); found != m_titles.end())
        return found->second;
    if (auto normal = m_titles.find(UIControlStateNormal); normal != m_titles.end())
        return normal->second;
    return {};
}

void UIButton::setTitle(std::string title, UIControlState state) {
    m_titles[state] = std::move(title);
    showCurrentTitle();
}

UIColor* UIButton::titleColorForState(UIControlState state) const {
    if (auto found = m_titleColors.find(state); found != m_titleColors.end())
        return found->second.get();
    return m_titleColors.at(UIControlStateNormal).get();
}

void UIButton::setTitleColor(UIColor* color, UIControlState state) {
    m_titleColors[state] = color;
    showCurrentTitle();
}

void UIButton::layoutSubviews() {
    showCurrentTitle();
    m_titleLabel->setFrame(bounds());
}

void UIButton::showCurrentTitle() {
    m_titleLabel->setText(currentTitle());
    m_titleLabel->setTextColor(titleColorForState(state()));
    setNeedsLayout();
}
