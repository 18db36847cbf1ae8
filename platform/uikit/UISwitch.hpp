// UISwitch: an on/off control; a tap flips it and sends value changed (4096).
#pragma once

#include "platform/uikit/UIControl.hpp"

class UISwitch : public UIControl {
public:
    static Class registerRuntimeClass();

    UISwitch();

    // A switch keeps the platform's size (51 x 31) whatever frame it is made with.
    UIView* initWithFrame(CGRect frame);

    bool isOn() const { return m_on; }
    // Programmatic changes send no action.
    void setOn(bool on);
    void setOnAnimated(bool on, bool animated);

    void layoutSubviews();

protected:
    void endTracking(CGPoint point) override;

private:
    bool m_on{false};
    objc::Ref<UIView> m_knob;
};
