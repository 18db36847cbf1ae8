// The desktop window host is a module of its own, installed by its own package, so that the
// command and everything headless need no desktop toolkit. The commands that open windows load
// it from the program's libraries folder; without it they fail with HostMissing, whose message
// names the file looked for and the package that brings it.
//   desktop::HostModule::load().runWindow({.title = "Mail"}, [&] { return nav->view(); });
#pragma once

#include "platform/desktop/window_options.hpp"
#include "platform/foundation/shared_library.hpp"

#include <filesystem>
#include <utility>

namespace desktop {

// The host is not installed beside the program, or cannot be loaded.
class HostMissing : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The module's one entry point: shows a window and runs until it is closed (the exit status);
// throws DesktopError when no display can be opened.
using RunWindowFunction = int(const WindowOptions& options, const RootProvider& root);
inline constexpr const char* kRunWindowSymbol = "tintbox_desktop_run_window";
inline constexpr const char* kHostModuleFile = "libtintbox_desktop.so";
inline constexpr const char* kHostPackage = "tintbox-desktop";

class HostModule {
public:
    // Where the running program looks for the module.
    static std::filesystem::path file();
    // Throws HostMissing when the file is not there.
    static std::filesystem::path require();
    // Throws HostMissing when the file is not there or does not load.
    static HostModule load();

    int runWindow(const WindowOptions& options, const RootProvider& root) const {
        return m_runWindow(options, root);
    }

private:
    HostModule(foundation::SharedLibrary library, RunWindowFunction* runWindow)
        : m_library(std::move(library)), m_runWindow(runWindow) {}

    foundation::SharedLibrary m_library;
    RunWindowFunction* m_runWindow;
};

} // namespace desktop
