#include "sim/mail/gmime_library.hpp"

#include "platform/foundation/shared_library.hpp"

#include <stdexcept>
#include <string>
#include <type_traits>

namespace tintbox::sim::mail {
namespace {

// Sonames, as the program was linked against before and the libraries' packages install them.
constexpr const char* kGMime = "libgmime-3.0.so.0";
constexpr const char* kGObject = "libgobject-2.0.so.0";

foundation::SharedLibrary openLibrary(const char* soname) {
    std::string why;
    auto library =
        foundation::SharedLibrary::open(soname, &why, foundation::SharedLibrary::Binding::Lazy);
    if (!library)
        throw std::runtime_error("cannot read mail: " + why);
    return std::move(*library);
}

template <typename Pointer>
void resolve(Pointer& slot, const foundation::SharedLibrary& library, const char* soname,
             const char* name) {
    slot = library.function<std::remove_pointer_t<Pointer>>(name);
    if (!slot)
        throw std::runtime_error(std::string("cannot read mail: ") + soname + " has no " + name);
}

GMimeLibrary load() {
    // Opened with RTLD_NODELETE, so the functions stay valid after the handles go.
    const auto gmime = openLibrary(kGMime);
    const auto gobject = openLibrary(kGObject);
    GMimeLibrary library;
#define SIM_MAIL_FROM_GMIME(name) resolve(library.name, gmime, kGMime, #name);
#define SIM_MAIL_FROM_GOBJECT(name) resolve(library.name, gobject, kGObject, #name);
    SIM_MAIL_GMIME_FUNCTIONS(SIM_MAIL_FROM_GMIME)
    SIM_MAIL_GOBJECT_FUNCTIONS(SIM_MAIL_FROM_GOBJECT)
#undef SIM_MAIL_FROM_GMIME
#undef SIM_MAIL_FROM_GOBJECT
    library.g_mime_init();
    return library;
}

} // namespace

const GMimeLibrary& gmimeLibrary() {
    static const GMimeLibrary library = load();
    return library;
}

} // namespace tintbox::sim::mail
