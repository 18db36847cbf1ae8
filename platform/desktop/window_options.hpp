// What a command asks of the desktop window host, free of the toolkit, so that the command can
// be built and run without it: the window's title, size and place, and the screen to show.
#pragma once

#include "platform/quartz/geometry.hpp"

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

class UIView;

namespace desktop {

// There is no display to open a window on, or the toolkit could not start.
class DesktopError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct WindowOptions {
    std::string title;
    CGSize size{320, 568}; // points
    // Where the window's top left goes on the screen, in points, where the display allows
    // programs to place their windows (X11); the window manager's choice otherwise.
    std::optional<CGPoint> position{};
};

// The screen's view tree, asked for at each draw and touch (the app may replace it).
using RootProvider = std::function<UIView*()>;

} // namespace desktop
