// The entry point by which the command reaches the window host once it has loaded the module.
#include "platform/desktop/host_module.hpp"
#include "platform/desktop/window.hpp"

#include <type_traits>

extern "C" int tintbox_desktop_run_window(const desktop::WindowOptions& options,
                                          const desktop::RootProvider& root) {
    // The command finds the entry by name; a mismatch in its type must not get that far.
    static_assert(std::is_same_v<decltype(tintbox_desktop_run_window), desktop::RunWindowFunction>);
    desktop::Window window(options, root);
    return window.run();
}
