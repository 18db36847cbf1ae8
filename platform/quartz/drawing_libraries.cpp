#include "platform/quartz/drawing_libraries.hpp"

#include "platform/foundation/shared_library.hpp"

#include <stdexcept>
#include <string>

namespace quartz::detail {
namespace {

// Sonames, not development links: these are what the program was linked against before, and
// what the packages of those libraries install.
constexpr const char* kCairo = "libcairo.so.2";
constexpr const char* kPango = "libpango-1.0.so.0";
constexpr const char* kPangoCairo = "libpangocairo-1.0.so.0";
constexpr const char* kGObject = "libgobject-2.0.so.0";

foundation::SharedLibrary openLibrary(const char* soname) {
    std::string why;
    auto library =
        foundation::SharedLibrary::open(soname, &why, foundation::SharedLibrary::Binding::Lazy);
    if (!library)
        throw std::runtime_error("cannot draw: " + why);
    return std::move(*library);
}

template <typename Pointer>
void resolve(Pointer& slot, const foundation::SharedLibrary& library, const char* soname,
             const char* name) {
    slot = library.function<std::remove_pointer_t<Pointer>>(name);
    if (!slot)
        throw std::runtime_error(std::string("cannot draw: ") + soname + " has no " + name);
}

DrawingLibraries load() {
    // Opened with RTLD_NODELETE, so the functions stay valid after the handles go.
    const auto cairo = openLibrary(kCairo);
    const auto pango = openLibrary(kPango);
    const auto pangoCairo = openLibrary(kPangoCairo);
    const auto gobject = openLibrary(kGObject);
    DrawingLibraries libraries;
#define QUARTZ_FROM_CAIRO(name) resolve(libraries.name, cairo, kCairo, #name);
#define QUARTZ_FROM_PANGO(name) resolve(libraries.name, pango, kPango, #name);
#define QUARTZ_FROM_PANGOCAIRO(name) resolve(libraries.name, pangoCairo, kPangoCairo, #name);
#define QUARTZ_FROM_GOBJECT(name) resolve(libraries.name, gobject, kGObject, #name);
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
