// UIGestureRecognizer: the state machine (Possible, Began, Changed, Ended, Cancelled, Failed)
// and target-action of a gesture on one view. A view holds its recognisers
// (UIView::addGestureRecognizer); the recogniser knows its view weakly. Touches are simulated
// by the platform (headless): touchesBegan / touchesMoved / touchesEnded with points in the
// view's coordinates. Each action is sent through objc::msgSend with the recogniser.
//   auto press = objc::make<UILongPressGestureRecognizer>(controller, sel_registerName("x:"));
//   view->addGestureRecognizer(press.get());
#pragma once

#include "platform/objc/objc.hpp"
#include "platform/quartz/geometry.hpp"
#include "platform/uikit/TargetActionTable.hpp"

class UIView;

using UIGestureRecognizerState = NSInteger;

inline constexpr UIGestureRecognizerState UIGestureRecognizerStatePossible = 0;
inline constexpr UIGestureRecognizerState UIGestureRecognizerStateBegan = 1;
inline constexpr UIGestureRecognizerState UIGestureRecognizerStateChanged = 2;
inline constexpr UIGestureRecognizerState UIGestureRecognizerStateEnded = 3;
inline constexpr UIGestureRecognizerState UIGestureRecognizerStateCancelled = 4;
inline constexpr UIGestureRecognizerState UIGestureRecognizerStateFailed = 5;
inline constexpr UIGestureRecognizerState UIGestureRecognizerStateRecognized =
    UIGestureRecognizerStateEnded;

class UIGestureRecognizer : public NSObject {
public:
    UIGestureRecognizer() = default;
    UIGestureRecognizer(NSObject* target, SEL action) { addTarget(target, action); }

    static Class registerRuntimeClass();

    // The platform's initialiser: adds the pair (nothing when either is null), answers the
    // receiver.
    UIGestureRecognizer* initWithTarget(NSObject* target, SEL action);
    void addTarget(NSObject* target, SEL action);
    // Removes the pair (every pair of target when action is null).
    void removeTarget(NSObject* target, SEL action);

    UIView* view() const;
    UIGestureRecognizerState state() const { return m_state; }
    bool isEnabled() const { return m_enabled; }
    // Disabling cancels a gesture under way (Began or Changed become Cancelled).
    void setEnabled(bool enabled);
    // The last touch's location, in the coordinates of view (this recogniser's view when nil).
    CGPoint locationInView(UIView* view) const;

    // Simulated touches, in the coordinates of view(); ignored while disabled or without view.
    void touchesBegan(CGPoint point);
    void touchesMoved(CGPoint point);
    void touchesEnded(CGPoint point);
    void touchesCancelled();

    // Sent by UIView (setView:) when the recogniser is added to it or removed from it (nil).
    void setView(UIView* view);

protected:
    // The gesture's own rules, over the touches of one press.
    virtual void pressBegan() {}
    virtual void pressMoved() {}
    virtual void pressEnded() {}
    // Back to Possible, ready for the next gesture; subclasses drop their per-gesture state.
    virtual void reset();

    // Moves the machine and sends the actions for Began, Changed, Ended and Cancelled.
    void setState(UIGestureRecognizerState state);
    CGPoint startLocation() const { return m_startLocation; }
    CGPoint lastLocation() const { return m_lastLocation; }
    bool touching() const { return m_touching; }

private:
    TargetActionTable m_targets;
    objc::WeakRef<UIView> m_view;
    UIGestureRecognizerState m_state{UIGestureRecognizerStatePossible};
    bool m_enabled{true};
    bool m_touching{false};
    CGPoint m_startLocation;
    CGPoint m_lastLocation;
};
