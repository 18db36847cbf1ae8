// Owning handles for GMime and GLib objects (g_object_unref / g_error_free / g_free when they
// go), and the one-time library set-up. Internal to sim/mail's readers.
//   GObjectHandle<GMimeStream> stream(g_mime_stream_mem_new());
#pragma once

#include <glib.h>
#include <gmime/gmime.h>
#include <memory>

namespace tintbox::sim::mail {

struct GObjectRelease {
    void operator()(gpointer object) const {
        if (object)
            g_object_unref(object);
    }
};
template <class T>
using GObjectHandle = std::unique_ptr<T, GObjectRelease>;

struct GErrorRelease {
    void operator()(GError* error) const {
        if (error)
            g_error_free(error);
    }
};
using GErrorHandle = std::unique_ptr<GError, GErrorRelease>;

struct GFreeRelease {
    void operator()(gpointer memory) const { g_free(memory); }
};
using GStringHandle = std::unique_ptr<gchar, GFreeRelease>;

// Initialises GMime once per process; call before any other GMime function.
void ensureGMime();

} // namespace tintbox::sim::mail
