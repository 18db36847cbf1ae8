#include "platform/eventkit/ical_library.hpp"

#include "platform/foundation/system_library.hpp"

namespace eventkit::detail {
namespace {

IcalLibrary load() {
    // The soname the program was linked against before, and that libical's package installs.
    const foundation::SystemLibrary ical("libical.so.3", "cannot write a reminder");
    IcalLibrary library;
#define EVENTKIT_FROM_ICAL(name) ical.bind(library.name, #name);
    EVENTKIT_ICAL_FUNCTIONS(EVENTKIT_FROM_ICAL)
#undef EVENTKIT_FROM_ICAL
    return library;
}

} // namespace

const IcalLibrary& icalLibrary() {
    static const IcalLibrary library = load();
    return library;
}

} // namespace eventkit::detail
