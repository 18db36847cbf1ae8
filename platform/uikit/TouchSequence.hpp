// One finger on a view tree as it happens, for a live window: down, any moves, then up (or
// cancelled), each delivered when the person does it, with the main run loop running in
// between. Points are in the root view's coordinates. The finger goes to the control under it
// (tracking, target-action), to the gesture recognisers of the touched view and its superviews
// (a long press fires on the run loop's clock while the finger rests), and otherwise a short
// press without a drag selects the table row under it or taps a navigation bar's back button;
// a drag outside a control moves the content of the scroll view under it with the finger.
//   TouchSequence touch(screen, {160, 300});   ...   touch.end({160, 300});
#pragma once

#include "platform/objc/objc.hpp"
#include "platform/quartz/geometry.hpp"

#include <string>
#include <vector>

class UIControl;
class UIScrollView;
class UIGestureRecognizer;
class UIView;

class TouchSequence {
public:
    // Travel (points) past which the press is a drag rather than a tap.
    static constexpr CGFloat kDragSlop = 8;

    TouchSequence(UIView* root, CGPoint point);
    ~TouchSequence();
    TouchSequence(const TouchSequence&) = delete;
    TouchSequence& operator=(const TouchSequence&) = delete;

    void move(CGPoint point);
    // Lifts the finger; what the touch reached, as TouchDriver reports it ("" for nothing).
    std::string end(CGPoint point);
    // The touch is taken away (the window lost the pointer): nothing is selected or tapped.
    void cancel();

    bool isDrag() const { return m_dragged; }
    bool isFinished() const { return m_finished; }
    // The view the finger went down on (nil over empty space).
    UIView* touchedView() const { return m_hit.get(); }

private:
    bool recogniserFired() const;
    std::string tapUnderFinger();

    objc::Ref<UIView> m_root;
    objc::Ref<UIView> m_hit;
    objc::Ref<UIControl> m_control;
    objc::Ref<UIScrollView> m_scrollView; // what a drag moves, and where its content stood
    CGPoint m_scrollStart;
    std::vector<objc::Ref<UIGestureRecognizer>> m_recognisers;
    CGPoint m_start;
    CGPoint m_last;
    bool m_dragged{false};
    bool m_finished{false};
};
