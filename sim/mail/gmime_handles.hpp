// Owning handles for GMime and GLib objects (g_object_unref / g_error_free / g_free when they
// go). Internal to sim/mail's readers.
//   GObjectHandle<GMimeStream> stream(gmimeLibrary().g_mime_stream_mem_new());
#pragma once

#include "sim/mail/gmime_library.hpp"

#include <memory>

namespace tintbox::sim::mail {

struct GObjectRelease {
    void operator()(gpointer object) const {
        if (object)
            gmimeLibrary().g_object_unref(object);
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

} // namespace tintbox::sim::mail
