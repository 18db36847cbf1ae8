#include "platform/uikit/UIScrollView.hpp"

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
            .method<&UIScrollView::setScrollEnabled>("setScrollEnabled:");
    return cls;
}

void UIScrollView::setContentOffset(CGPoint offset) {
    CGRect shown = bounds();
    shown.origin = offset;
    setBounds(shown);
}

void UIScrollView::setContentOffsetAnimated(CGPoint offset, bool) {
    objc::msgSend<void(CGPoint)>(this, sel_registerName("setContentOffset:"), offset);
}
