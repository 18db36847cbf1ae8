#include "platform/uikit/UIScrollView.hpp"

#include <algorithm>

namespace {
[[maybe_unused]] const Class registeredAtLoad = UIScrollView::registerRuntimeClass();
} // namespace

Class UIScrollView::registerRuntimeClass() {
    UIView::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<UIScrollView, UIView>("UIScrollView")
            .method<&UIScrollView::contentOffset>("contentOffset")
            .method<&UIScrollView::setContentOffset>("setContentOffset:")
            .method<&UIScrollView::setContentOffsetAnimated>("setContentOffset:animated:")
            .method<&UIScrollView::contentInset>("contentInset")
            .method<&UIScrollView::setContentInset>("setContentInset:")
            .method<&UIScrollView::contentSize>("contentSize")
            .method<&UIScrollView::setContentSize>("setContentSize:")
            .method<&UIScrollView::isScrollEnabled>("isScrollEnabled")
            .method<&UIScrollView::setScrollEnabled>("setScrollEnabled:")
            .method<&UIScrollView::delegate>("delegate")
            .method<&UIScrollView::setDelegate>("setDelegate:");
    return cls;
}

void UIScrollView::setContentOffset(CGPoint offset) {
    static const SEL delegateSel = sel_registerName("delegate");
    static const SEL didScrollSel = sel_registerName("scrollViewDidScroll:");
    CGRect shown = bounds();
    if (shown.origin == offset)
        return;
    shown.origin = offset;
    setBounds(shown);
    // What shows has changed: content that came into view is placed on the next layout pass.
    setNeedsLayout();
    objc::Ref<UIScrollView> self(this);
    objc::Ref<NSObject> delegate(objc::msgSend<id()>(this, delegateSel));
    if (delegate && delegate->respondsToSelector(didScrollSel))
        objc::msgSend<void(id)>(delegate, didScrollSel, this);
}

void UIScrollView::setContentOffsetAnimated(CGPoint offset, bool) {
    objc::msgSend<void(CGPoint)>(this, sel_registerName("setContentOffset:"), offset);
}

CGPoint UIScrollView::minimumContentOffset() const {
    return CGPointMake(-m_contentInset.left, -m_contentInset.top);
}

CGPoint UIScrollView::maximumContentOffset() const {
    const CGPoint lowest = minimumContentOffset();
    const CGSize shown = bounds().size;
    return CGPointMake(
        std::max(lowest.x, m_contentSize.width + m_contentInset.right - shown.width),
        std::max(lowest.y, m_contentSize.height + m_contentInset.bottom - shown.height));
}

CGPoint UIScrollView::clampedContentOffset(CGPoint offset) const {
    const CGPoint lowest = minimumContentOffset();
    const CGPoint highest = maximumContentOffset();
    return CGPointMake(std::clamp(offset.x, lowest.x, highest.x),
                       std::clamp(offset.y, lowest.y, highest.y));
}
