#include "platform/uikit/UISwitch.hpp"

#include "platform/uikit/UIColor.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = UISwitch::registerRuntimeClass();
} // namespace

Class UISwitch::registerRuntimeClass() {
    UIControl::registerRuntimeClass();
    static const Class cls = objc::ClassBuilder<UISwitch, UIControl>("UISwitch")
                                 .method<&UISwitch::initWithFrame>("initWithFrame:")
                                 .method<&UISwitch::isOn>("isOn")
                                 .method<&UISwitch::setOn>("setOn:")
                                 .method<&UISwitch::setOnAnimated>("setOn:animated:")
                                 .method<&UISwitch::layoutSubviews>("layoutSubviews");
    return cls;
}

UISwitch::UISwitch() {
    m_knob = objc::make<UIView>();
    m_knob->setBackgroundColor(UIColor::whiteColor().get());
    m_knob->setUserInteractionEnabled(false);
    addSubview(m_knob.get());
    setFrame(CGRectMake(0, 0, 51, 31));
    setOn(false);
}

UIView* UISwitch::initWithFrame(CGRect frame) {
    return UIView::initWithFrame(CGRectMake(frame.origin.x, frame.origin.y, 51, 31));
}

void UISwitch::setOn(bool on) {
    m_on = on;
    setBackgroundColor(on ? UIColor::colorWithRed(0.3, 0.85, 0.39, 1).get()
                          : UIColor::colorWithWhite(0.9, 1).get());
    setNeedsLayout();
}

void UISwitch::setOnAnimated(bool on, bool) {
    objc::msgSend<void(bool)>(this, sel_registerName("setOn:"), on);
}

void UISwitch::endTracking(CGPoint point) {
    if (!insideForTouch(point))
        return;
    objc::msgSend<void(bool)>(this, sel_registerName("setOn:"), !m_on);
    sendEvents(UIControlEventValueChanged);
}

void UISwitch::layoutSubviews() {
    const CGRect area = bounds();
    const CGFloat side = area.height() - 4;
    layer()->setCornerRadius(area.height() / 2);
    m_knob->layer()->setCornerRadius(side / 2);
    m_knob->setFrame(
        CGRectMake(m_on ? area.maxX() - side - 2 : area.minX() + 2, area.minY() + 2, side, side));
}
