// RAII owners for the cairo, Pango and GObject handles of this folder (not for plug-in code).
// A handle holds one reference and releases it when it goes; `retain(p)` takes an extra
// reference to a pointer someone else owns, `adopt(p)` takes over the caller's reference.
#pragma once

#include "platform/quartz/drawing_libraries.hpp"

#include <memory>

namespace quartz::detail {

// Releases through the lazily opened libraries: `Release` names the member of DrawingLibraries.
template <typename T, auto Release>
struct Releaser {
    void operator()(T* p) const {
        if (p)
            (drawing().*Release)(p);
    }
};

using CairoContext = std::unique_ptr<cairo_t, Releaser<cairo_t, &DrawingLibraries::cairo_destroy>>;
using CairoSurface =
    std::unique_ptr<cairo_surface_t,
                    Releaser<cairo_surface_t, &DrawingLibraries::cairo_surface_destroy>>;
using CairoPattern =
    std::unique_ptr<cairo_pattern_t,
                    Releaser<cairo_pattern_t, &DrawingLibraries::cairo_pattern_destroy>>;
using CairoFontOptions =
    std::unique_ptr<cairo_font_options_t,
                    Releaser<cairo_font_options_t, &DrawingLibraries::cairo_font_options_destroy>>;
using FontDescription =
    std::unique_ptr<PangoFontDescription,
                    Releaser<PangoFontDescription, &DrawingLibraries::pango_font_description_free>>;

// Any GObject (PangoLayout, PangoContext, PangoFontMap), released with g_object_unref.
template <typename T>
struct ObjectReleaser {
    void operator()(T* p) const {
        if (p)
            drawing().g_object_unref(p);
    }
};
template <typename T>
using ObjectRef = std::unique_ptr<T, ObjectReleaser<T>>;

inline CairoContext retain(cairo_t* cr) {
    return CairoContext(drawing().cairo_reference(cr));
}
inline CairoSurface retain(cairo_surface_t* s) {
    return CairoSurface(drawing().cairo_surface_reference(s));
}

// Shares a surface between value types (images); the last holder releases it.
inline std::shared_ptr<cairo_surface_t> shareSurface(CairoSurface surface) {
    return {surface.release(), [](cairo_surface_t* s) {
                if (s)
                    drawing().cairo_surface_destroy(s);
            }};
}

} // namespace quartz::detail
