#include "platform/uikit/UIControl.hpp"

#include "platform/uikit/UIEvent.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = UIControl::registerRuntimeClass();

// Inside for a touch, as UIKit judges it: the bounds grown by a finger's margin.
constexpr CGFloat kTouchMargin = 70;

SEL sendActionSelector() {
    static const SEL sel = sel_registerName("sendAction:to:forEvent:");
    return sel;
}
} // namespace

Class UIControl::registerRuntimeClass() {
    UIView::registerRuntimeClass();
    UIEvent::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<UIControl, UIView>("UIControl")
            .method<&UIControl::addTarget>("addTarget:action:forControlEvents:")
            .method<&UIControl::removeTarget>("removeTarget:action:forControlEvents:")
            .method<&UIControl::allControlEvents>("allControlEvents")
            .method<&UIControl::sendActionsForControlEvents>("sendActionsForControlEvents:")
            .method<&UIControl::sendAction>("sendAction:to:forEvent:")
            .method<&UIControl::isEnabled>("isEnabled")
            .method<&UIControl::setEnabled>("setEnabled:")
            .method<&UIControl::isSelected>("isSelected")
            .method<&UIControl::setSelected>("setSelected:")
            .method<&UIControl::isHighlighted>("isHighlighted")
            .method<&UIControl::setHighlighted>("setHighlighted:")
            .method<&UIControl::isTracking>("isTracking")
            .method<&UIControl::isTouchInside>("isTouchInside")
            .method<&UIControl::state>("state");
    return cls;
}

void UIControl::addTarget(NSObject* target, SEL action, UIControlEvents events) {
    if (action && events)
        m_targets.add(target, action, events);
}

void UIControl::removeTarget(NSObject* target, SEL action, UIControlEvents events) {
    m_targets.remove(target, action, events);
}

void UIControl::sendActionsForControlEvents(UIControlEvents events) {
    // Keeps the control alive while its targets run, whatever they do with it.
    objc::Ref<UIControl> self(this);
    for (const TargetAction& pair : m_targets.pairsFor(events)) {
        objc::Ref<NSObject> target = pair.target.lock();
        if (target)
            objc::msgSend<void(SEL, id, id)>(this, sendActionSelector(), pair.action, target.get(),
                                             m_currentEvent.get());
    }
}

void UIControl::sendAction(SEL action, NSObject* target, UIEvent* event) {
    sendActionMessage(action, target, this, event);
}

void UIControl::setEnabled(bool enabled) {
    m_enabled = enabled;
    setNeedsLayout();
}

void UIControl::setSelected(bool selected) {
    m_selected = selected;
    setNeedsLayout();
}

void UIControl::setHighlighted(bool highlighted) {
    m_highlighted = highlighted;
    setNeedsLayout();
}

UIControlState UIControl::state() const {
    UIControlState state = UIControlStateNormal;
    if (m_highlighted)
        state |= UIControlStateHighlighted;
    if (!m_enabled)
        state |= UIControlStateDisabled;
    if (m_selected)
        state |= UIControlStateSelected;
    return state;
}

bool UIControl::insideForTouch(CGPoint point) const {
    return bounds().insetBy(-kTouchMargin, -kTouchMargin).contains(point);
}

void UIControl::sendEvents(UIControlEvents events) {
    sendActionsForControlEvents(events);
}

void UIControl::touchesBegan(CGPoint point) {
    if (!m_enabled || isHidden() || !isUserInteractionEnabled() || m_tracking)
        return;
    objc::Ref<UIControl> self(this);
    m_currentEvent = objc::make<UIEvent>(objc::make<UITouch>(this, point));
    m_touchInside = true;
    m_highlighted = true;
    m_tracking = beginTracking(point);
    sendEvents(UIControlEventTouchDown);
    if (!m_tracking) {
        m_highlighted = false;
        m_currentEvent = nullptr;
    }
}

void UIControl::touchesMoved(CGPoint point) {
    if (!m_tracking)
        return;
    objc::Ref<UIControl> self(this);
    for (const auto& touch : m_currentEvent->allTouches()) {
        touch->moveTo(point);
        touch->setPhase(UITouchPhaseMoved);
    }
    const bool wasInside = m_touchInside;
    m_touchInside = insideForTouch(point);
    m_highlighted = m_touchInside;
    m_tracking = continueTracking(point);
    if (wasInside != m_touchInside)
        sendEvents(m_touchInside ? UIControlEventTouchDragEnter : UIControlEventTouchDragExit);
    sendEvents(m_touchInside ? UIControlEventTouchDragInside : UIControlEventTouchDragOutside);
    if (!m_tracking)
        touchesCancelled();
}

void UIControl::touchesEnded(CGPoint point) {
    if (!m_tracking)
        return;
    objc::Ref<UIControl> self(this);
    for (const auto& touch : m_currentEvent->allTouches()) {
        touch->moveTo(point);
        touch->setPhase(UITouchPhaseEnded);
    }
    m_touchInside = insideForTouch(point);
    m_tracking = false;
    m_highlighted = false;
    endTracking(point);
    sendEvents(m_touchInside ? UIControlEventTouchUpInside : UIControlEventTouchUpOutside);
    m_currentEvent = nullptr;
}

void UIControl::touchesCancelled() {
    if (!m_currentEvent)
        return;
    objc::Ref<UIControl> self(this);
    for (const auto& touch : m_currentEvent->allTouches())
        touch->setPhase(UITouchPhaseCancelled);
    m_tracking = false;
    m_highlighted = false;
    cancelTracking();
    sendEvents(UIControlEventTouchCancel);
    m_currentEvent = nullptr;
}

void UIControl::simulateTouch(const std::vector<CGPoint>& points) {
    if (points.empty())
        return;
    touchesBegan(points.front());
    for (std::size_t i = 1; i + 1 < points.size(); ++i)
        touchesMoved(points[i]);
    touchesEnded(points.back());
}

void UIControl::simulateTap() {
    const CGPoint centre = bounds().center();
    simulateTouch({centre, centre});
}
