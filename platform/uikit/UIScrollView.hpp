// UIScrollView as tables need it: the content offset (the bounds origin: what part of the
// content shows), the content inset (extra room around the content) and the content size.
// Headless, nothing scrolls by itself; offsets are set by code and by simulated drags.
#pragma once

#include "platform/uikit/UIView.hpp"

class UIScrollView : public UIView {
public:
    static Class registerRuntimeClass();

    CGPoint contentOffset() const { return bounds().origin; }
    void setContentOffset(CGPoint offset);
    void setContentOffsetAnimated(CGPoint offset, bool animated);
    UIEdgeInsets contentInset() const { return m_contentInset; }
    void setContentInset(UIEdgeInsets inset) { m_contentInset = inset; }
    CGSize contentSize() const { return m_contentSize; }
    void setContentSize(CGSize size) { m_contentSize = size; }
    bool isScrollEnabled() const { return m_scrollEnabled; }
    void setScrollEnabled(bool enabled) { m_scrollEnabled = enabled; }

private:
    UIEdgeInsets m_contentInset;
    CGSize m_contentSize;
    bool m_scrollEnabled{true};
};
