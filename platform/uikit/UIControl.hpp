// UIControl: a view that sends actions to targets for control events (target-action), with
// enabled, selected and highlighted states. Touches are simulated (headless) with points in
// the control's coordinates; the control turns them into touch events (down, drag, up inside
// or outside) and subclasses into their own (value changed) through the tracking hooks.
//   slider->addTarget(cell, sel_registerName("sliderValueChangedAction:"),
//                     UIControlEventValueChanged);
//   control->simulateTouch({{10, 10}, {40, 10}});   // down at the first point, up at the last
#pragma once

#include "platform/uikit/TargetActionTable.hpp"
#include "platform/uikit/UIControlEvents.hpp"
#include "platform/uikit/UIEvent.hpp"
#include "platform/uikit/UIView.hpp"

#include <vector>

class UIControl : public UIView {
public:
    static Class registerRuntimeClass();

    // Targets are held weakly; the action is sent through the runtime (TargetActionTable).
    void addTarget(NSObject* target, SEL action, UIControlEvents events);
    void removeTarget(NSObject* target, SEL action, UIControlEvents events);
    UIControlEvents allControlEvents() const { return m_targets.allEvents(); }
    // The live pairs registered for any of events.
    std::vector<TargetAction> targetActionsFor(UIControlEvents events) const {
        return m_targets.pairsFor(events);
    }

    // Sends the actions of every pair for events, each through sendAction:to:forEvent:.
    void sendActionsForControlEvents(UIControlEvents events);
    void sendAction(SEL action, NSObject* target, UIEvent* event);

    // Each state change lays the control out again, so that its look follows the state.
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);
    bool isTracking() const { return m_tracking; }
    bool isTouchInside() const { return m_touchInside; }
    UIControlState state() const;

    // Simulated touches of one finger, in the control's coordinates. A disabled control, or a
    // hidden or non-interactive one, ignores them.
    void touchesBegan(CGPoint point);
    void touchesMoved(CGPoint point);
    void touchesEnded(CGPoint point);
    void touchesCancelled();
    // Down at the first point, moves through the middle ones, up at the last.
    void simulateTouch(const std::vector<CGPoint>& points);
    // A tap at the centre of the bounds.
    void simulateTap();

protected:
    // The tracking hooks of a subclass; the base sends the touch events around them.
    virtual bool beginTracking(CGPoint) { return true; }
    virtual bool continueTracking(CGPoint) { return true; }
    virtual void endTracking(CGPoint) {}
    virtual void cancelTracking() {}
    // Sends events with the current touch event (for actions that take one).
    void sendEvents(UIControlEvents events);
    bool insideForTouch(CGPoint point) const;

private:
    TargetActionTable m_targets;
    objc::Ref<UIEvent> m_currentEvent;
    bool m_enabled{true};
    bool m_selected{false};
    bool m_highlighted{false};
    bool m_tracking{false};
    bool m_touchInside{false};
};
