#include "platform/uikit/ScrollDriver.hpp"

#include "platform/uikit/UIScrollView.hpp"

UIScrollView* ScrollDriver::scrollViewAt(UIView* root, CGPoint point) {
    if (!root)
        return nullptr;
    static const SEL hitTest = sel_registerName("hitTest:withEvent:");
    UIView* hit = objc::msgSend<UIView*(CGPoint, id)>(root, hitTest, point, nullptr);
    for (UIView* view = hit; view; view = view->superview())
        if (auto* scroll = dynamic_cast<UIScrollView*>(view); scroll && scroll->isScrollEnabled())
            return scroll;
    return nullptr;
}

CGPoint ScrollDriver::clampedOffset(const UIScrollView& view, CGPoint offset) {
    return view.clampedContentOffset(offset);
}

void ScrollDriver::setOffset(UIScrollView& view, CGPoint offset) {
    static const SEL setContentOffset = sel_registerName("setContentOffset:");
    objc::msgSend<void(CGPoint)>(&view, setContentOffset, clampedOffset(view, offset));
}

bool ScrollDriver::scrollAt(UIView* root, CGPoint point, CGPoint delta) {
    UIScrollView* view = scrollViewAt(root, point);
    if (!view)
        return false;
    objc::Ref<UIScrollView> keep(view);
    const CGPoint before = view->contentOffset();
    setOffset(*view, {before.x + delta.x, before.y + delta.y});
    const CGPoint after = view->contentOffset();
    return after.x != before.x || after.y != before.y;
}
