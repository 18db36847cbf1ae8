// UISlider: a value between minimumValue and maximumValue (kept within them, always), shown
// as a track and a thumb. A simulated drag moves the value with the finger along the track:
// value changed (4096) while it moves when continuous, once at the end otherwise, then touch
// up inside (64) or outside (128), as the platform sends them.
//   slider->setMinimumValue(0);  slider->setMaximumValue(100);  slider->setValue(250); // 100
#pragma once

#include "platform/uikit/UIControl.hpp"

class UISlider : public UIControl {
public:
    static Class registerRuntimeClass();

    UISlider();

    float value() const { return m_value; }
    // Held within the range; sends no action (only the user's drags do).
    void setValue(float value);
    void setValueAnimated(float value, bool animated);
    float minimumValue() const { return m_minimumValue; }
    // Moves the maximum up and the value into the new range when needed.
    void setMinimumValue(float minimum);
    float maximumValue() const { return m_maximumValue; }
    void setMaximumValue(float maximum);
    bool isContinuous() const { return m_continuous; }
    void setContinuous(bool continuous) { m_continuous = continuous; }

    // The track's rectangle in the bounds, and the thumb's centre for the current value.
    CGRect trackRect() const;
    CGPoint thumbCenter() const;
    // A drag of the thumb from its place to the point at value (a headless user's drag).
    void simulateDragToValue(float value);

    void layoutSubviews();

protected:
    bool beginTracking(CGPoint point) override;
    bool continueTracking(CGPoint point) override;
    void endTracking(CGPoint point) override;

private:
    float valueAt(CGPoint point) const;
    void moveWithFinger(CGPoint point);

    float m_value{0};
    float m_minimumValue{0};
    float m_maximumValue{1};
    bool m_continuous{true};
    float m_valueAtTouchDown{0};
    objc::Ref<UIView> m_minimumTrack;
    objc::Ref<UIView> m_maximumTrack;
    objc::Ref<UIView> m_thumb;
};
