#include "platform/uikit/UIGestureRecognizer.hpp"

#include "platform/uikit/UIView.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = UIGestureRecognizer::registerRuntimeClass();
} // namespace

Class UIGestureRecognizer::registerRuntimeClass() {
    static const Class cls =
        objc::ClassBuilder<UIGestureRecognizer>("UIGestureRecognizer")
            .method<&UIGestureRecognizer::initWithTarget>("initWithTarget:action:")
            .method<&UIGestureRecognizer::addTarget>("addTarget:action:")
            .method<&UIGestureRecognizer::removeTarget>("removeTarget:action:")
            .method<&UIGestureRecognizer::view>("view")
            .method<&UIGestureRecognizer::setView>("setView:")
            .method<&UIGestureRecognizer::state>("state")
            .method<&UIGestureRecognizer::isEnabled>("isEnabled")
            .method<&UIGestureRecognizer::setEnabled>("setEnabled:")
            .method<&UIGestureRecognizer::locationInView>("locationInView:");
    return cls;
}

UIGestureRecognizer* UIGestureRecognizer::initWithTarget(NSObject* target, SEL action) {
    addTarget(target, action);
    return this;
}

void UIGestureRecognizer::addTarget(NSObject* target, SEL action) {
    if (target && action)
        m_targets.add(target, action, 1);
}

void UIGestureRecognizer::removeTarget(NSObject* target, SEL action) {
    m_targets.remove(target, action, 1);
}

UIView* UIGestureRecognizer::view() const {
    return m_view.get();
}

void UIGestureRecognizer::setEnabled(bool enabled) {
    m_enabled = enabled;
    if (enabled)
        return;
    if (m_state == UIGestureRecognizerStateBegan || m_state == UIGestureRecognizerStateChanged)
        setState(UIGestureRecognizerStateCancelled);
    m_touching = false;
    reset();
}

CGPoint UIGestureRecognizer::locationInView(UIView* view) const {
    UIView* own = m_view.get();
    if (!own || !view || view == own)
        return m_lastLocation;
    return own->convertPointToView(m_lastLocation, view);
}

void UIGestureRecognizer::touchesBegan(CGPoint point) {
    if (!m_enabled || !m_view)
        return;
    reset();
    m_touching = true;
    m_startLocation = point;
    m_lastLocation = point;
    pressBegan();
}

void UIGestureRecognizer::touchesMoved(CGPoint point) {
    if (!m_touching)
        return;
    m_lastLocation = point;
    pressMoved();
}

void UIGestureRecognizer::touchesEnded(CGPoint point) {
    if (!m_touching)
        return;
    m_lastLocation = point;
    m_touching = false;
    pressEnded();
}

void UIGestureRecognizer::touchesCancelled() {
    if (!m_touching)
        return;
    m_touching = false;
    if (m_state == UIGestureRecognizerStateBegan || m_state == UIGestureRecognizerStateChanged)
        setState(UIGestureRecognizerStateCancelled);
    else
        setState(UIGestureRecognizerStateFailed);
}

void UIGestureRecognizer::setView(UIView* view) {
    if (m_touching)
        touchesCancelled();
    // A recogniser belongs to one view at a time: joining another leaves the first.
    UIView* previous = m_view.get();
    if (previous && view && previous != view) {
        objc::Ref<UIGestureRecognizer> self(this);
        previous->removeGestureRecognizer(this);
    }
    m_view = objc::WeakRef<UIView>(view);
}

void UIGestureRecognizer::reset() {
    m_state = UIGestureRecognizerStatePossible;
}

void UIGestureRecognizer::setState(UIGestureRecognizerState state) {
    m_state = state;
    switch (state) {
    case UIGestureRecognizerStateBegan:
    case UIGestureRecognizerStateChanged:
    case UIGestureRecognizerStateEnded:
    case UIGestureRecognizerStateCancelled: {
        // Keeps the recogniser alive while a target's action runs, even if it is removed.
        objc::Ref<UIGestureRecognizer> self(this);
        m_targets.send(this, 1, nullptr);
        break;
    }
    default:
        break;
    }
}
