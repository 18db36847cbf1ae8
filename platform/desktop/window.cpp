#include "platform/desktop/window.hpp"

#include "platform/desktop/run_loop_source.hpp"
#include "platform/dispatch/run_loop.hpp"
#include "platform/quartz/drawing_context.hpp"
#include "platform/quartz/layer_renderer.hpp"
#include "platform/uikit/KeyboardDriver.hpp"
#include "platform/uikit/ScrollDriver.hpp"
#include "platform/uikit/TouchSequence.hpp"
#include "platform/uikit/UIAlertView.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIStatusBar.hpp"
#include "platform/uikit/UIView.hpp"

#include <gtk/gtk.h>
#if defined(GDK_WINDOWING_X11) && defined(TINTBOX_HAVE_X11)
#include <gdk/x11/gdkx.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace desktop {
namespace {

void layOut(UIView& view) {
    static const SEL layoutIfNeeded = sel_registerName("layoutIfNeeded");
    objc::msgSend<void()>(&view, layoutIfNeeded);
}

void refreshStatusBars(UIView& view) {
    if (dynamic_cast<UIStatusBar*>(&view))
        view.setNeedsLayout();
    for (const auto& subview : view.subviews())
        refreshStatusBars(*subview);
}

UIAlertView* frontAlert() {
    const auto alerts = UIAlertView::shownAlerts();
    return alerts.empty() ? nullptr : alerts.back().get();
}

// GTK cannot be started twice, so an X server that refuses a connection for a moment (a busy
// one does) is waited for here, a few times, before GTK makes its own.
bool displayReachable() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (wayland && *wayland)
        return true;
    if (!x11 || !*x11)
        return false;
#if defined(GDK_WINDOWING_X11) && defined(TINTBOX_HAVE_X11)
    for (int attempt = 0; attempt < 8; ++attempt) {
        if (Display* display = XOpenDisplay(x11)) {
            XCloseDisplay(display);
            return true;
        }
        g_usleep(static_cast<gulong>(attempt + 1) * 150'000);
    }
    return false;
#else
    return true;
#endif
}

} // namespace

struct Window::Parts {
    WindowOptions options;
    RootProvider rootProvider;
    GtkWidget* window{nullptr};
    GtkWidget* area{nullptr};
    GMainLoop* loop{nullptr};
    std::vector<std::pair<gpointer, gulong>> handlers;
    std::unique_ptr<RunLoopSource> loopSource;
    dispatch::Registration minuteTimer;
    // The finger down, and the view tree it went down on (the screen or the front alert).
    std::unique_ptr<TouchSequence> touch;
    objc::Ref<UIView> touchRoot;
    CGPoint touchOrigin{};
    CGPoint dragStart{};
    CGPoint pointer{};
    int scale{1};

    template <class Handler>
    void connect(gpointer instance, const char* signal, Handler handler) {
        handlers.emplace_back(instance,
                              g_signal_connect(instance, signal, G_CALLBACK(handler), this));
    }

    // The status bar's clock moves on at each full minute (and nothing wakes in between).
    void scheduleMinute() {
        auto& loop = dispatch::RunLoop::main();
        const double intoMinute = std::fmod(loop.now(), 60.0);
        minuteTimer = loop.addTimer(60.0 - intoMinute + 0.05, [this] {
            if (UIView* view = root())
                refreshStatusBars(*view);
            scheduleMinute();
        });
    }

    void redraw() {
        if (area)
            gtk_widget_queue_draw(area);
    }

    void draw(cairo_t* cairo, int width, int height) {
        quartz::DrawingContext context(cairo);
        context.fillRect(CGRectMake(0, 0, width, height), quartz::Color::white());
        if (UIView* view = root()) {
            layOut(*view);
            quartz::renderLayer(*view->layer(), context);
        }
        const auto alerts = UIAlertView::shownAlerts();
        if (!alerts.empty())
            context.fillRect(CGRectMake(0, 0, width, height), quartz::Color::white(0, 0.4));
        for (const auto& alert : alerts) {
            layOut(*alert);
            quartz::renderLayer(*alert->layer(), context);
        }
    }

    UIView* root() const { return rootProvider ? rootProvider() : nullptr; }

    // The screen follows the window: its bounds, the root view's frame and, through the
    // autoresizing rules, everything inside.
    void resize(int width, int height) {
        if (width <= 0 || height <= 0)
            return;
        UIScreen::mainScreen()->setBounds(CGRectMake(0, 0, width, height));
        if (UIView* view = root()) {
            const CGRect frame = view->frame();
            view->setFrame(
                CGRectMake(frame.origin.x, frame.origin.y, width, std::max<CGFloat>(height, 1)));
        }
        redraw();
    }

    void followScale() {
        const int now = gtk_widget_get_scale_factor(area);
        if (now > 0 && now != scale) {
            scale = now;
            UIScreen::mainScreen()->setScale(now);
            redraw();
        }
    }

    void pressed(double x, double y) {
        touch.reset();
        pointer = {x, y};
        dragStart = {x, y};
        touchOrigin = {0, 0};
        touchRoot = nullptr;
        if (UIAlertView* alert = frontAlert()) {
            // The alert is modal: a finger outside it reaches nothing.
            const CGRect frame = alert->frame();
            if (!frame.contains({x, y}))
                return;
            touchRoot = alert;
            touchOrigin = frame.origin;
        } else {
            touchRoot = root();
        }
        if (touchRoot)
            touch = std::make_unique<TouchSequence>(touchRoot.get(), local(x, y));
        redraw();
    }

    CGPoint local(double x, double y) const { return {x - touchOrigin.x, y - touchOrigin.y}; }

    void moved(double dx, double dy) {
        if (touch)
            touch->move(local(dragStart.x + dx, dragStart.y + dy));
        redraw();
    }

    void released(double dx, double dy) {
        if (touch) {
            auto ending = std::move(touch);
            ending->end(local(dragStart.x + dx, dragStart.y + dy));
        }
        touchRoot = nullptr;
        redraw();
    }

    void cancelled() {
        if (touch)
            touch->cancel();
        touch.reset();
        touchRoot = nullptr;
        redraw();
    }

    // A wheel step moves the content about three rows' worth of a line; touchpads give points.
    bool scrolled(double dx, double dy, bool wheelSteps) {
        const double step = wheelSteps ? 40.0 : 1.0;
        UIView* target = frontAlert() ? nullptr : root();
        const bool moved = ScrollDriver::scrollAt(target, pointer, {dx * step, dy * step});
        if (moved)
            redraw();
        return moved;
    }

    bool key(guint keyval) {
        UIView* view = root();
        bool handled = false;
        switch (keyval) {
        case GDK_KEY_Escape:
            handled = KeyboardDriver::pressEscape();
            break;
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter:
        case GDK_KEY_ISO_Enter:
            handled = KeyboardDriver::pressReturn(view);
            break;
        case GDK_KEY_BackSpace:
            handled = KeyboardDriver::deleteBackward(view);
            break;
        default: {
            const gunichar character = gdk_keyval_to_unicode(keyval);
            if (character == 0 || g_unichar_iscntrl(character))
                return false;
            char utf8[8] = {};
            const int length = g_unichar_to_utf8(character, utf8);
            handled = KeyboardDriver::insertText(view, std::string(utf8, length));
        }
        }
        redraw();
        return handled;
    }

    void place() {
#if defined(GDK_WINDOWING_X11) && defined(TINTBOX_HAVE_X11)
        if (!options.position)
            return;
        GdkSurface* surface = gtk_native_get_surface(GTK_NATIVE(window));
        if (surface && GDK_IS_X11_SURFACE(surface)) {
            GdkDisplay* display = gdk_surface_get_display(surface);
            const int factor = std::max(gdk_surface_get_scale_factor(surface), 1);
            XMoveWindow(gdk_x11_display_get_xdisplay(display), gdk_x11_surface_get_xid(surface),
                        static_cast<int>(options.position->x * factor),
                        static_cast<int>(options.position->y * factor));
        }
#endif
    }
};

namespace {

using Parts = Window::Parts;

void onDraw(GtkDrawingArea*, cairo_t* cairo, int width, int height, gpointer data) {
    static_cast<Parts*>(data)->draw(cairo, width, height);
}

void onResize(GtkDrawingArea*, int width, int height, Parts* parts) {
    parts->resize(width, height);
}

void onScale(GObject*, GParamSpec*, Parts* parts) {
    parts->followScale();
}

gboolean onClose(GtkWindow*, Parts* parts) {
    g_main_loop_quit(parts->loop);
    return false;
}

void onRealize(GtkWidget*, Parts* parts) {
    parts->place();
}

void onDragBegin(GtkGestureDrag*, double x, double y, Parts* parts) {
    parts->pressed(x, y);
}

void onDragUpdate(GtkGestureDrag*, double dx, double dy, Parts* parts) {
    parts->moved(dx, dy);
}

void onDragEnd(GtkGestureDrag*, double dx, double dy, Parts* parts) {
    parts->released(dx, dy);
}

void onCancel(GtkGesture*, GdkEventSequence*, Parts* parts) {
    parts->cancelled();
}

void onMotion(GtkEventControllerMotion*, double x, double y, Parts* parts) {
    parts->pointer = {x, y};
}

gboolean onScroll(GtkEventControllerScroll* controller, double dx, double dy, Parts* parts) {
    const bool steps = gtk_event_controller_scroll_get_unit(controller) == GDK_SCROLL_UNIT_WHEEL;
    return parts->scrolled(dx, dy, steps);
}

gboolean onKey(GtkEventControllerKey*, guint keyval, guint, GdkModifierType state, Parts* parts) {
    if (state & (GDK_CONTROL_MASK | GDK_ALT_MASK | GDK_SUPER_MASK))
        return false;
    return parts->key(keyval);
}

} // namespace

Window::Window(WindowOptions options, RootProvider root) : m_parts(std::make_unique<Parts>()) {
    if (!displayReachable() || !gtk_init_check())
        throw DesktopError("cannot open a window: no display (is DISPLAY or WAYLAND_DISPLAY set?)");
    Parts& parts = *m_parts;
    parts.options = std::move(options);
    parts.rootProvider = std::move(root);
    parts.loop = g_main_loop_new(nullptr, false);

    parts.window = gtk_window_new();
    g_object_ref_sink(parts.window);
    gtk_window_set_title(GTK_WINDOW(parts.window), parts.options.title.c_str());
    parts.area = gtk_drawing_area_new();
    const int width = static_cast<int>(std::lround(parts.options.size.width));
    const int height = static_cast<int>(std::lround(parts.options.size.height));
    gtk_drawing_area_set_content_width(GTK_DRAWING_AREA(parts.area), width);
    gtk_drawing_area_set_content_height(GTK_DRAWING_AREA(parts.area), height);
    gtk_widget_set_focusable(parts.area, true);
    gtk_window_set_child(GTK_WINDOW(parts.window), parts.area);
    gtk_window_set_default_size(GTK_WINDOW(parts.window), width, height);
    gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(parts.area), onDraw, &parts, nullptr);

    parts.connect(parts.area, "resize", onResize);
    parts.connect(parts.area, "notify::scale-factor", onScale);
    parts.connect(parts.window, "close-request", onClose);
    parts.connect(parts.window, "realize", onRealize);

    GtkGesture* drag = gtk_gesture_drag_new();
    gtk_gesture_single_set_button(GTK_GESTURE_SINGLE(drag), GDK_BUTTON_PRIMARY);
    parts.connect(drag, "drag-begin", onDragBegin);
    parts.connect(drag, "drag-update", onDragUpdate);
    parts.connect(drag, "drag-end", onDragEnd);
    parts.connect(drag, "cancel", onCancel);
    gtk_widget_add_controller(parts.area, GTK_EVENT_CONTROLLER(drag));

    GtkEventController* motion = gtk_event_controller_motion_new();
    parts.connect(motion, "motion", onMotion);
    parts.connect(motion, "enter", onMotion);
    gtk_widget_add_controller(parts.area, motion);

    GtkEventController* wheel =
        gtk_event_controller_scroll_new(GTK_EVENT_CONTROLLER_SCROLL_BOTH_AXES);
    parts.connect(wheel, "scroll", onScroll);
    gtk_widget_add_controller(parts.area, wheel);

    GtkEventController* keys = gtk_event_controller_key_new();
    parts.connect(keys, "key-pressed", onKey);
    gtk_widget_add_controller(parts.window, keys);

    parts.loopSource = std::make_unique<RunLoopSource>([&parts] { parts.redraw(); });
    parts.scheduleMinute();
}

Window::~Window() {
    Parts& parts = *m_parts;
    parts.touch.reset();
    parts.minuteTimer.cancel();
    parts.loopSource.reset();
    for (const auto& [instance, id] : parts.handlers)
        if (g_signal_handler_is_connected(instance, id))
            g_signal_handler_disconnect(instance, id);
    if (parts.window) {
        gtk_window_destroy(GTK_WINDOW(parts.window));
        g_object_unref(parts.window);
    }
    // Whatever GTK still has queued for the window goes now, while nothing points here.
    while (g_main_context_iteration(nullptr, false)) {
    }
    g_main_loop_unref(parts.loop);
}

void Window::redraw() {
    m_parts->redraw();
}

int Window::run() {
    Parts& parts = *m_parts;
    gtk_window_present(GTK_WINDOW(parts.window));
    parts.followScale();
    g_main_loop_run(parts.loop);
    return 0;
}

} // namespace desktop
