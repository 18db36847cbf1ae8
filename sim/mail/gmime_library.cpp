#include "sim/mail/gmime_library.hpp"

#include "platform/foundation/system_library.hpp"

namespace tintbox::sim::mail {
namespace {

GMimeLibrary load() {
    // Sonames: what the program was linked against before, and what the libraries' packages
    // install.
    const foundation::SystemLibrary gmime("libgmime-3.0.so.0", "cannot read mail");
    const foundation::SystemLibrary gobject("libgobject-2.0.so.0", "cannot read mail");
    GMimeLibrary library;
#define SIM_MAIL_FROM_GMIME(name) gmime.bind(library.name, #name);
#define SIM_MAIL_FROM_GOBJECT(name) gobject.bind(library.name, #name);
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
