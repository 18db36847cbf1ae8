#include "platform/uikit/UILongPressGestureRecognizer.hpp"

#include "platform/dispatch/run_loop.hpp"

#include <cmath>

namespace {
[[maybe_unused]] const Class registeredAtLoad =
    UILongPressGestureRecognizer::registerRuntimeClass();
} // namespace

Class UILongPressGestureRecognizer::registerRuntimeClass() {
    UIGestureRecognizer::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<UILongPressGestureRecognizer, UIGestureRecognizer>(
            "UILongPressGestureRecognizer")
            .method<&UILongPressGestureRecognizer::minimumPressDuration>("minimumPressDuration")
            .method<&UILongPressGestureRecognizer::setMinimumPressDuration>(
                "setMinimumPressDuration:")
            .method<&UILongPressGestureRecognizer::allowableMovement>("allowableMovement")
            .method<&UILongPressGestureRecognizer::setAllowableMovement>("setAllowableMovement:");
    return cls;
}

void UILongPressGestureRecognizer::pressBegan() {
    // The timer holds the recogniser weakly: a recogniser that goes away takes its press along.
    objc::WeakRef<NSObject> weakSelf(this);
    m_timer = dispatch::RunLoop::main().addTimer(m_minimumPressDuration, [weakSelf] {
        if (auto* self = dynamic_cast<UILongPressGestureRecognizer*>(weakSelf.get()))
            self->pressHeldLongEnough();
    });
}

void UILongPressGestureRecognizer::pressHeldLongEnough() {
    if (touching() && state() == UIGestureRecognizerStatePossible)
        setState(UIGestureRecognizerStateBegan);
}

void UILongPressGestureRecognizer::pressMoved() {
    if (state() == UIGestureRecognizerStatePossible) {
        const CGPoint start = startLocation();
        const CGPoint now = lastLocation();
        if (std::hypot(now.x - start.x, now.y - start.y) > m_allowableMovement) {
            m_timer.cancel();
            setState(UIGestureRecognizerStateFailed);
        }
    } else if (state() == UIGestureRecognizerStateBegan ||
               state() == UIGestureRecognizerStateChanged) {
        setState(UIGestureRecognizerStateChanged);
    }
}

void UILongPressGestureRecognizer::pressEnded() {
    m_timer.cancel();
    if (state() == UIGestureRecognizerStateBegan || state() == UIGestureRecognizerStateChanged)
        setState(UIGestureRecognizerStateEnded);
    else if (state() == UIGestureRecognizerStatePossible)
        setState(UIGestureRecognizerStateFailed);
}

void UILongPressGestureRecognizer::reset() {
    m_timer.cancel();
    UIGestureRecognizer::reset();
}
