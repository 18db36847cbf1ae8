// UIScrollView: a view whose bounds origin is the content offset, the part of its content
// (contentSize, plus contentInset around it) that shows. Setting the offset moves what shows
// and asks for layout, as UIKit does, so that subclasses (tables) bring content into view in
// layoutSubviews; the delegate hears scrollViewDidScroll: (id) after each change of offset.
// Nothing scrolls by itself: code, a window host's wheel and drags set the offset.
//   scroll->setContentOffsetAnimated(scroll->clampedContentOffset({0, y + 40}), false);
#pragma once

#include "platform/uikit/UIView.hpp"

class UIScrollView : public UIView {
public:
    static Class registerRuntimeClass();

    // The bounds origin. Any value is taken, even beyond the content (a rubber-band drag);
    // clampedContentOffset gives the resting place.
    CGPoint contentOffset() const { return bounds().origin; }
    void setContentOffset(CGPoint offset);
    // Headless there is no animation: the offset is set at once, through setContentOffset:.
    void setContentOffsetAnimated(CGPoint offset, bool animated);
    UIEdgeInsets contentInset() const { return m_contentInset; }
    void setContentInset(UIEdgeInsets inset) { m_contentInset = inset; }
    CGSize contentSize() const { return m_contentSize; }
    void setContentSize(CGSize size) { m_contentSize = size; }
    bool isScrollEnabled() const { return m_scrollEnabled; }
    void setScrollEnabled(bool enabled) { m_scrollEnabled = enabled; }
    // Held weakly; answers scrollViewDidScroll: when it responds to it.
    id delegate() const { return m_delegate.get(); }
    void setDelegate(id delegate) { m_delegate = delegate; }

    // The smallest and largest offsets at rest: from -inset.top (and -inset.left) to the
    // content's far edge plus its inset less the bounds, never below the smallest.
    CGPoint minimumContentOffset() const;
    CGPoint maximumContentOffset() const;
    // The offset held within those limits, where a scroll comes to rest.
    CGPoint clampedContentOffset(CGPoint offset) const;

private:
    UIEdgeInsets m_contentInset;
    CGSize m_contentSize;
    bool m_scrollEnabled{true};
    objc::WeakRef<NSObject> m_delegate;
};
