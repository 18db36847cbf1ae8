// A reminder as an iCalendar document (libical): a VCALENDAR holding one VTODO with UID,
// DTSTAMP, SUMMARY, DESCRIPTION (the notes), URL, DUE in its time zone (with that zone's
// VTIMEZONE; in UTC when the zone is unknown to libical) and one VALARM per alarm at its
// absolute date.
//   std::string ics = eventkit::reminderAsICalendar(*reminder, foundation::Date{now});
#pragma once

#include "platform/foundation/value.hpp"

#include <string>

class EKReminder;

namespace eventkit {

// `stamp` is the DTSTAMP and LAST-MODIFIED of the document.
std::string reminderAsICalendar(const EKReminder& reminder, foundation::Date stamp);

} // namespace eventkit
