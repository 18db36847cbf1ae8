// A desktop window that shows one screen of a stand-in app, live. The view tree is drawn by the
// platform's renderer into the window's cairo context at the window's scale factor, with the
// shown alerts on top; pointer presses, moves and releases are touches on the platform's event
// path (the front alert takes them while shown), the keyboard types into the first responder,
// and the platform's main run loop runs inside GTK's main loop. The window redraws after each
// event or run-loop turn that ran something; resizing it resizes the screen. Closing the window
// ends run(). Everything of GTK (widgets, signal handlers, the loop source) is owned here.
//   desktop::Window window({.title = "Mail", .size = {320, 568}}, [&] { return nav->view(); });
//   return window.run();
#pragma once

#include "platform/desktop/window_options.hpp"

#include <memory>

namespace desktop {

class Window {
public:
    // Throws DesktopError when no display can be opened.
    Window(WindowOptions options, RootProvider root);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Shows the window and runs until it is closed; the process's exit status (0).
    int run();
    // Asks for a new picture on the next frame.
    void redraw();

    struct Parts; // the GTK side, in window.cpp

private:
    std::unique_ptr<Parts> m_parts;
};

} // namespace desktop
