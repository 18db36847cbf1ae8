// libical, opened the first time a reminder is written rather than linked: most commands make
// no reminder, and loading and relocating libical was a tenth of every command's start-up.
// Private to this folder.
//   const IcalLibrary& ical = icalLibrary();
//   icalcomponent* todo = ical.icalcomponent_new(ICAL_VTODO_COMPONENT);
#pragma once

#include <libical/ical.h>

// The functions this folder calls. A function missing here fails to compile at its call, so the
// list cannot fall behind the code.
#define EVENTKIT_ICAL_FUNCTIONS(F)                                                                 \
    F(icalcomponent_add_component)                                                                 \
    F(icalcomponent_add_property)                                                                  \
    F(icalcomponent_as_ical_string_r)                                                              \
    F(icalcomponent_free)                                                                          \
    F(icalcomponent_get_first_property)                                                            \
    F(icalcomponent_new)                                                                           \
    F(icalcomponent_new_clone)                                                                     \
    F(icalcomponent_vanew)                                                                         \
    F(icaldurationtype_null_duration)                                                              \
    F(icalmemory_free_buffer)                                                                      \
    F(icalparameter_new_tzid)                                                                      \
    F(icalproperty_add_parameter)                                                                  \
    F(icalproperty_new_action)                                                                     \
    F(icalproperty_new_created)                                                                    \
    F(icalproperty_new_description)                                                                \
    F(icalproperty_new_dtstamp)                                                                    \
    F(icalproperty_new_due)                                                                        \
    F(icalproperty_new_lastmodified)                                                               \
    F(icalproperty_new_prodid)                                                                     \
    F(icalproperty_new_status)                                                                     \
    F(icalproperty_new_summary)                                                                    \
    F(icalproperty_new_trigger)                                                                    \
    F(icalproperty_new_uid)                                                                        \
    F(icalproperty_new_url)                                                                        \
    F(icalproperty_new_version)                                                                    \
    F(icalproperty_set_tzid)                                                                       \
    F(icaltime_convert_to_zone)                                                                    \
    F(icaltime_from_timet_with_zone)                                                               \
    F(icaltime_null_time)                                                                          \
    F(icaltimezone_get_builtin_timezone)                                                           \
    F(icaltimezone_get_component)                                                                  \
    F(icaltimezone_get_utc_timezone)                                                               \
    F(icaltimezone_truncate_vtimezone)

namespace eventkit::detail {

struct IcalLibrary {
#define EVENTKIT_FUNCTION_POINTER(name) decltype(&::name) name{nullptr};
    EVENTKIT_ICAL_FUNCTIONS(EVENTKIT_FUNCTION_POINTER)
#undef EVENTKIT_FUNCTION_POINTER
};

// The library, opened on the first call of the process. Throws std::runtime_error naming the
// library or function when one cannot be had.
const IcalLibrary& icalLibrary();

} // namespace eventkit::detail
