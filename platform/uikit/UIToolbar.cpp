#include "platform/uikit/UIToolbar.hpp"

#include "platform/uikit/UIColor.hpp"

#include <algorithm>

namespace {
[[maybe_unused]] const Class registeredAtLoad = UIToolbar::registerRuntimeClass();

constexpr CGFloat kSideMargin = 8;
} // namespace

Class UIToolbar::registerRuntimeClass() {
    UIView::registerRuntimeClass();
    UIBarButtonItem::registerRuntimeClass();
    static const Class cls = objc::ClassBuilder<UIToolbar, UIView>("UIToolbar")
                                 .method<&UIToolbar::items>("items")
                                 .method<&UIToolbar::setItems>("setItems:animated:")
                                 .method<&UIToolbar::isTranslucent>("isTranslucent")
                                 .method<&UIToolbar::setTranslucent>("setTranslucent:")
                                 .method<&UIToolbar::layoutSubviews>("layoutSubviews");
    return cls;
}

UIToolbar::UIToolbar() {
    setBackgroundColor(UIColor::colorWithWhite(0.97, 1).get());
}

void UIToolbar::setItems(std::vector<objc::Ref<UIBarButtonItem>> items, bool) {
    m_items = std::move(items);
    setNeedsLayout();
}

void UIToolbar::layoutSubviews() {
    for (const auto& view : m_shownViews) {
        if (view->superview() == this)
            view->removeFromSuperview();
    }
    m_shownViews.clear();

    const CGRect area = bounds();
    CGFloat fixed = 0;
    int flexible = 0;
    for (const auto& item : m_items) {
        if (item->systemItem() == UIBarButtonSystemItemFlexibleSpace)
            ++flexible;
        else
            fixed += item->naturalWidth();
    }
    const CGFloat spare = std::max<CGFloat>(area.width() - 2 * kSideMargin - fixed, 0);
    const CGFloat flexibleWidth = flexible ? spare / flexible : 0;
    CGFloat x = area.minX() + kSideMargin;
    for (const auto& item : m_items) {
        if (item->systemItem() == UIBarButtonSystemItemFlexibleSpace) {
            x += flexibleWidth;
            continue;
        }
        const CGFloat width = item->naturalWidth();
        if (UIView* view = item->view()) {
            view->setFrame(CGRectMake(x, area.minY(), width, area.height()));
            addSubview(view);
            m_shownViews.emplace_back(view);
        }
        x += width;
    }
}
