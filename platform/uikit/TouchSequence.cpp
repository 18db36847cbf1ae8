#include "platform/uikit/TouchSequence.hpp"

#include "platform/uikit/NSIndexPath.hpp"
#include "platform/uikit/ScrollDriver.hpp"
#include "platform/uikit/UIControl.hpp"
#include "platform/uikit/UIGestureRecognizer.hpp"
#include "platform/uikit/UINavigationBar.hpp"
#include "platform/uikit/UIScrollView.hpp"
#include "platform/uikit/UITableView.hpp"
#include "platform/uikit/UITableViewCell.hpp"
#include "platform/uikit/UITextField.hpp"
#include "platform/uikit/nearest_view.hpp"

#include <cmath>

namespace {

// Every text field being edited under `view`, so that a tap elsewhere can end their editing.
void collectEditingFields(UIView* view, std::vector<objc::Ref<UITextField>>& fields) {
    if (auto* field = dynamic_cast<UITextField*>(view); field && field->isEditing())
        fields.emplace_back(field);
    for (const auto& subview : view->subviews())
        collectEditingFields(subview.get(), fields);
}

} // namespace

TouchSequence::TouchSequence(UIView* root, CGPoint point)
    : m_root(root), m_start(point), m_last(point) {
    if (!root)
        return;
    static const SEL hitTest = sel_registerName("hitTest:withEvent:");
    m_hit = objc::msgSend<UIView*(CGPoint, id)>(root, hitTest, point, nullptr);
    if (!m_hit)
        return;
    // Recognisers see the finger as well as the control under it; one that fires takes the
    // touch from the control, as the platform cancels touches in a recognising view.
    for (UIView* v = m_hit.get(); v; v = v->superview()) {
        for (const auto& object : v->gestureRecognizers()) {
            auto* recogniser = dynamic_cast<UIGestureRecognizer*>(object.get());
            if (recogniser && recogniser->isEnabled()) {
                m_recognisers.emplace_back(recogniser);
                recogniser->touchesBegan(root->convertPointToView(point, v));
            }
        }
    }
    if (UIControl* control = nearestView<UIControl>(m_hit.get())) {
        m_control = control;
        control->touchesBegan(root->convertPointToView(point, control));
        return;
    }
    if (UIScrollView* scroll = ScrollDriver::scrollViewAt(root, point)) {
        m_scrollView = scroll;
        m_scrollStart = scroll->contentOffset();
    }
}

TouchSequence::~TouchSequence() {
    if (!m_finished)
        cancel();
}

void TouchSequence::move(CGPoint point) {
    if (m_finished || !m_root)
        return;
    m_last = point;
    if (std::hypot(point.x - m_start.x, point.y - m_start.y) > kDragSlop)
        m_dragged = true;
    for (const auto& recogniser : m_recognisers)
        if (UIView* view = recogniser->view())
            recogniser->touchesMoved(m_root->convertPointToView(point, view));
    if (m_control)
        m_control->touchesMoved(m_root->convertPointToView(point, m_control.get()));
    if (m_dragged && m_scrollView)
        ScrollDriver::setOffset(*m_scrollView, {m_scrollStart.x - (point.x - m_start.x),
                                                m_scrollStart.y - (point.y - m_start.y)});
}

bool TouchSequence::recogniserFired() const {
    for (const auto& recogniser : m_recognisers) {
        const auto state = recogniser->state();
        if (state == UIGestureRecognizerStateBegan || state == UIGestureRecognizerStateChanged ||
            state == UIGestureRecognizerStateEnded)
            return true;
    }
    return false;
}

std::string TouchSequence::end(CGPoint point) {
    if (m_finished || !m_root)
        return {};
    if (point.x != m_last.x || point.y != m_last.y)
        move(point);
    m_finished = true;

    std::vector<objc::Ref<UITextField>> editing;
    collectEditingFields(m_root.get(), editing);

    const bool fired = recogniserFired();
    std::string outcome;
    for (const auto& recogniser : m_recognisers) {
        if (UIView* view = recogniser->view())
            recogniser->touchesEnded(m_root->convertPointToView(point, view));
        if (fired && outcome.empty())
            outcome = object_getClassName(recogniser.get());
    }

    if (m_control && fired) {
        m_control->touchesCancelled();
        return outcome;
    }
    if (m_control) {
        objc::Ref<UIControl> control = m_control;
        const CGPoint local = m_root->convertPointToView(point, control.get());
        control->touchesEnded(local);
        auto* field = dynamic_cast<UITextField*>(control.get());
        for (const auto& other : editing)
            if (other.get() != field)
                other->resignFirstResponder();
        if (field && !m_dragged && field->pointInside(local, nullptr))
            field->becomeFirstResponder();
        return object_getClassName(control.get());
    }

    if (fired || m_dragged)
        return outcome;
    for (const auto& field : editing)
        field->resignFirstResponder();
    return tapUnderFinger();
}

std::string TouchSequence::tapUnderFinger() {
    if (auto* bar = nearestView<UINavigationBar>(m_hit.get())) {
        objc::Ref<UINavigationBar> keep(bar);
        static const SEL layoutIfNeeded = sel_registerName("layoutIfNeeded");
        objc::msgSend<void()>(bar, layoutIfNeeded);
        const CGPoint local = m_root->convertPointToView(m_start, bar);
        if (bar->backButtonContains(local) && bar->tapBackButton())
            return "back";
        return {};
    }
    auto* cell = nearestView<UITableViewCell>(m_hit.get());
    auto* table = cell ? nearestView<UITableView>(cell->superview()) : nullptr;
    if (!table)
        return {};
    objc::Ref<UITableView> keep(table);
    objc::Ref<NSIndexPath> path = table->indexPathForCell(cell);
    if (path && table->tapRowAtIndexPath(path.get()))
        return "row " + std::to_string(path->section()) + "." + std::to_string(path->row());
    return {};
}

void TouchSequence::cancel() {
    if (m_finished)
        return;
    m_finished = true;
    if (m_control)
        m_control->touchesCancelled();
    for (const auto& recogniser : m_recognisers)
        recogniser->touchesCancelled();
}
