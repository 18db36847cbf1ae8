// UILongPressGestureRecognizer: a touch held for minimumPressDuration (on the main run
// loop's clock, 0.5 s by default) without moving more than allowableMovement begins the
// gesture; moving then reports Changed and lifting the finger Ended. A press lifted too
// early, or moved too far before it began, fails without sending anything.
#pragma once

#include "platform/dispatch/registration.hpp"
#include "platform/uikit/UIGestureRecognizer.hpp"

class UILongPressGestureRecognizer : public UIGestureRecognizer {
public:
    using UIGestureRecognizer::UIGestureRecognizer;

    static Class registerRuntimeClass();

    double minimumPressDuration() const { return m_minimumPressDuration; }
    void setMinimumPressDuration(double seconds) { m_minimumPressDuration = seconds; }
    CGFloat allowableMovement() const { return m_allowableMovement; }
    void setAllowableMovement(CGFloat points) { m_allowableMovement = points; }

protected:
    void pressBegan() override;
    void pressMoved() override;
    void pressEnded() override;
    void reset() override;

private:
    void pressHeldLongEnough();

    double m_minimumPressDuration{0.5};
    CGFloat m_allowableMovement{10};
    dispatch::Registration m_timer;
};
