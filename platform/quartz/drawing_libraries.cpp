#include "platform/quartz/drawing_libraries.hpp"

#include "platform/foundation/system_library.hpp"

namespace quartz::detail {
namespace {

DrawingLibraries load() {
    // Sonames: what the program was linked against before, and what the libraries' packages
    // install.
    const foundation::SystemLibrary cairo("libcairo.so.2", "cannot draw");
    const foundation::SystemLibrary pango("libpango-1.0.so.0", "cannot draw");
    const foundation::SystemLibrary pangoCairo("libpangocairo-1.0.so.0", "cannot draw");
    const foundation::SystemLibrary gobject("libgobject-2.0.so.0", "cannot draw");
    DrawingLibraries libraries;
#define QUARTZ_FROM_CAIRO(name) cairo.bind(libraries.name, #name);
#define QUARTZ_FROM_PANGO(name) pango.bind(libraries.name, #name);
#define QUARTZ_FROM_PANGOCAIRO(name) pangoCairo.bind(libraries.name, #name);
#define QUARTZ_FROM_GOBJECT(name) gobject.bind(libraries.name, #name);
    QUARTZ_CAIRO_FUNCTIONS(QUARTZ_FROM_CAIRO)
    QUARTZ_PANGO_FUNCTIONS(QUARTZ_FROM_PANGO)
    QUARTZ_PANGOCAIRO_FUNCTIONS(QUARTZ_FROM_PANGOCAIRO)
    QUARTZ_GOBJECT_FUNCTIONS(QUARTZ_FROM_GOBJECT)
#undef QUARTZ_FROM_CAIRO
#undef QUARTZ_FROM_PANGO
#undef QUARTZ_FROM_PANGOCAIRO
#undef QUARTZ_FROM_GOBJECT
    return libraries;
}

} // namespace

const DrawingLibraries& drawing() {
    static const DrawingLibraries libraries = load();
    return libraries;
}

} // namespace quartz::detail
