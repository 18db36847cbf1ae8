// UIButton: a control with a title per control state, shown in its titleLabel, and a title
// colour per state. A tap (touch up inside) sends its actions, as every control does.
//   auto button = UIButton::buttonWithType(UIButtonTypeRoundedRect);
//   button->setTitle("Save", UIControlStateNormal);
#pragma once

#include "platform/uikit/UIControl.hpp"
#include "platform/uikit/UILabel.hpp"

#include <map>
#include <string>

using UIButtonType = NSInteger;
inline constexpr UIButtonType UIButtonTypeCustom = 0;
inline constexpr UIButtonType UIButtonTypeRoundedRect = 1;
inline constexpr UIButtonType UIButtonTypeSystem = UIButtonTypeRoundedRect;

class UIButton : public UIControl {
public:
    static Class registerRuntimeClass();

    UIButton();

    // A new button with a zero frame (buttonWithType: of the platform).
    static objc::Ref<UIButton> buttonWithType(UIButtonType type);

    UIButtonType buttonType() const { return m_buttonType; }
    // The title for a state, or the normal title when that state has none.
    std::string titleForState(UIControlState state) const;
    void setTitle(std::string title, UIControlState state);
    UIColor* titleColorForState(UIControlState state) const;
    void setTitleColor(UIColor* color, UIControlState state);
    std::string currentTitle() const { return titleForState(state()); }
    UILabel* titleLabel() const { return m_titleLabel.get(); }

    // The title label fills the bounds, centred.
    void layoutSubviews();

private:
    void showCurrentTitle();

    UIButtonType m_buttonType{UIButtonTypeCustom};
    std::map<UIControlState, std::string> m_titles;
    std::map<UIControlState, objc::Ref<UIColor>> m_titleColors;
    objc::Ref<UILabel> m_titleLabel;
};
