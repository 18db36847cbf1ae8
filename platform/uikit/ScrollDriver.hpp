// The wheel and the dragging finger of a live window, on scroll views: the scroll view under a
// point (the innermost that scrolls) has its content moved to the nearest offset at rest
// (UIScrollView's clamping), through setContentOffset:, so a table brings in the rows that come
// into view and reuses the cells of those that leave.
//   ScrollDriver::scrollAt(screen, {160, 300}, {0, 40});   // the content moves up 40 points
#pragma once

#include "platform/quartz/geometry.hpp"

class UIScrollView;
class UIView;

class ScrollDriver {
public:
    // The innermost scroll view with scrolling enabled under `point` (root coordinates).
    static UIScrollView* scrollViewAt(UIView* root, CGPoint point);
    // The offset at rest nearest to `offset`.
    static CGPoint clampedOffset(const UIScrollView& view, CGPoint offset);
    static void setOffset(UIScrollView& view, CGPoint offset);
    // Moves the content under the point by `delta` (positive y shows later content); false
    // when nothing there scrolls or it is at its end already.
    static bool scrollAt(UIView* root, CGPoint point, CGPoint delta);
};
