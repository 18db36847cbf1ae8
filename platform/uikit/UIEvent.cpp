#include "platform/uikit/UIEvent.hpp"

#include "platform/uikit/UIView.hpp"

namespace {
[[maybe_unused]] const Class touchRegisteredAtLoad = UITouch::registerRuntimeClass();
[[maybe_unused]] const Class eventRegisteredAtLoad = UIEvent::registerRuntimeClass();
} // namespace

Class UITouch::registerRuntimeClass() {
    static const Class cls =
        objc::ClassBuilder<UITouch>("UITouch")
            .method<&UITouch::view>("view")
            .method<&UITouch::phase>("phase")
            .method<&UITouch::locationInView>("locationInView:")
            .method<&UITouch::previousLocationInView>("previousLocationInView:");
    return cls;
}

UITouch::UITouch(UIView* view, CGPoint location)
    : m_view(view), m_location(location), m_previousLocation(location) {}

UIView* UITouch::view() const {
    return m_view.get();
}

CGPoint UITouch::locationInView(UIView* view) const {
    UIView* own = m_view.get();
    if (!own || !view || view == own)
        return m_location;
    return own->convertPointToView(m_location, view);
}

CGPoint UITouch::previousLocationInView(UIView* view) const {
    UIView* own = m_view.get();
    if (!own || !view || view == own)
        return m_previousLocation;
    return own->convertPointToView(m_previousLocation, view);
}

void UITouch::moveTo(CGPoint location) {
    m_previousLocation = m_location;
    m_location = location;
}

Class UIEvent::registerRuntimeClass() {
    static const Class cls = objc::ClassBuilder<UIEvent>("UIEvent")
                                 .method<&UIEvent::allTouches>("allTouches")
                                 .method<&UIEvent::touchesForView>("touchesForView:");
    return cls;
}

std::vector<objc::Ref<UITouch>> UIEvent::touchesForView(UIView* view) const {
    std::vector<objc::Ref<UITouch>> touches;
    for (const auto& touch : m_touches) {
        if (touch->view() == view)
            touches.push_back(touch);
    }
    return touches;
}
