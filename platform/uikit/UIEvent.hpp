// UITouch and UIEvent as controls hand them to actions of the form `action:withEvent:`: one
// simulated finger, its view and its location there. locationInView: converts to any view of
// the same tree; touchesForView: answers the touches that began in that view.
#pragma once

#include "platform/objc/objc.hpp"
#include "platform/quartz/geometry.hpp"

#include <vector>

class UIView;

using UITouchPhase = NSInteger;
inline constexpr UITouchPhase UITouchPhaseBegan = 0;
inline constexpr UITouchPhase UITouchPhaseMoved = 1;
inline constexpr UITouchPhase UITouchPhaseStationary = 2;
inline constexpr UITouchPhase UITouchPhaseEnded = 3;
inline constexpr UITouchPhase UITouchPhaseCancelled = 4;

class UITouch : public NSObject {
public:
    static Class registerRuntimeClass();

    UITouch() = default;
    UITouch(UIView* view, CGPoint location);

    UIView* view() const;
    UITouchPhase phase() const { return m_phase; }
    void setPhase(UITouchPhase phase) { m_phase = phase; }
    // The location in view's coordinates (the touch's own view when nil).
    CGPoint locationInView(UIView* view) const;
    CGPoint previousLocationInView(UIView* view) const;
    // A new position, in the coordinates of the touch's view.
    void moveTo(CGPoint location);

private:
    objc::WeakRef<UIView> m_view;
    CGPoint m_location;
    CGPoint m_previousLocation;
    UITouchPhase m_phase{UITouchPhaseBegan};
};

class UIEvent : public NSObject {
public:
    static Class registerRuntimeClass();

    UIEvent() = default;
    explicit UIEvent(objc::Ref<UITouch> touch) { m_touches.push_back(std::move(touch)); }

    std::vector<objc::Ref<UITouch>> allTouches() const { return m_touches; }
    // The touches whose view is view, in the order they began.
    std::vector<objc::Ref<UITouch>> touchesForView(UIView* view) const;

private:
    std::vector<objc::Ref<UITouch>> m_touches;
};
