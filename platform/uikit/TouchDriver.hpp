// Headless touches on a view tree, as the stand-in apps' commands (tap, long press, drag)
// and end-to-end tests give them: points are in the root view's coordinates; the touched
// view is found with hitTest:withEvent:. A tap goes to the control under the point (a
// button, segment, switch, slider) or else selects the table row under it; a long press
// goes to the gesture recognisers of the touched view and its superviews, held for the
// given time on the main run loop; a drag goes to the control where it starts.
//   TouchDriver::tap(screen, {160, 90});
//   TouchDriver::longPress(screen, {160, 300}, 1.2);
#pragma once

#include "platform/quartz/geometry.hpp"

#include <string>
#include <vector>

class UIView;

class TouchDriver {
public:
    // What a touch reached, for the command line to report: "UIButton", "row 0.2", "" (none).
    using Outcome = std::string;

    static Outcome tap(UIView* root, CGPoint point);
    // Begins the press on every enabled recogniser under the point, runs the main run loop
    // for `seconds` (the virtual clock advances in tests) and lifts the finger.
    static Outcome longPress(UIView* root, CGPoint point, double seconds);
    // Down at the first point, through the others, up at the last.
    static Outcome drag(UIView* root, const std::vector<CGPoint>& points);
};
