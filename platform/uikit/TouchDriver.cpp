#include "platform/uikit/TouchDriver.hpp"

#include "platform/dispatch/run_loop.hpp"
#include "platform/uikit/UIControl.hpp"
#include "platform/uikit/UIGestureRecognizer.hpp"
#include "platform/uikit/UITableView.hpp"
#include "platform/uikit/nearest_view.hpp"

namespace {

UIView* touchedView(UIView* root, CGPoint point) {
    if (!root)
        return nullptr;
    static const SEL hitTest = sel_registerName("hitTest:withEvent:");
    return objc::msgSend<UIView*(CGPoint, id)>(root, hitTest, point, nullptr);
}

std::string describeRow(const NSIndexPath* path) {
    return "row " + std::to_string(path->section()) + "." + std::to_string(path->row());
}

} // namespace

TouchDriver::Outcome TouchDriver::tap(UIView* root, CGPoint point) {
    return drag(root, {point, point});
}

TouchDriver::Outcome TouchDriver::drag(UIView* root, const std::vector<CGPoint>& points) {
    if (points.empty())
        return {};
    UIView* hit = touchedView(root, points.front());
    if (auto* control = nearestView<UIControl>(hit)) {
        objc::Ref<UIControl> keep(control);
        std::vector<CGPoint> local;
        for (CGPoint p : points)
            local.push_back(root->convertPointToView(p, control));
        control->simulateTouch(local);
        return object_getClassName(control);
    }
    auto* cell = nearestView<UITableViewCell>(hit);
    auto* table = cell ? nearestView<UITableView>(cell->superview()) : nullptr;
    if (table && points.size() <= 2) {
        objc::Ref<UITableView> keep(table);
        objc::Ref<NSIndexPath> path = table->indexPathForCell(cell);
        if (path && table->tapRowAtIndexPath(path.get()))
            return describeRow(path.get());
    }
    return {};
}

TouchDriver::Outcome TouchDriver::longPress(UIView* root, CGPoint point, double seconds) {
    UIView* hit = touchedView(root, point);
    std::vector<objc::Ref<UIGestureRecognizer>> pressed;
    for (UIView* v = hit; v; v = v->superview()) {
        for (const auto& object : v->gestureRecognizers()) {
            auto* recogniser = dynamic_cast<UIGestureRecognizer*>(object.get());
            if (recogniser && recogniser->isEnabled()) {
                pressed.emplace_back(recogniser);
                recogniser->touchesBegan(root->convertPointToView(point, v));
            }
        }
    }
    if (pressed.empty())
        return {};
    dispatch::RunLoop::main().runFor(seconds);
    std::string outcome;
    for (const auto& recogniser : pressed) {
        if (UIView* view = recogniser->view())
            recogniser->touchesEnded(root->convertPointToView(point, view));
        if (outcome.empty())
            outcome = object_getClassName(recogniser.get());
    }
    return outcome;
}
