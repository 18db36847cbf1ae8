// Gregorian calendar readings of a date in a time zone, as NSCalendar's components:fromDate:
// gives them for year, month, day, hour, minute and time zone. Time zones are named as the
// system names them ("Europe/Berlin", "UTC"); the default one comes from TZ or the system's
// setting (ICU's reading), as the platform's default calendar takes it.
//   auto parts = gregorianComponents(Date{dueSeconds}, defaultTimeZoneName());
#pragma once

#include "platform/foundation/value.hpp"

#include <optional>
#include <string>

namespace foundation {

struct DateComponents {
    int year{0};
    int month{0}; // 1 to 12
    int day{0};   // 1 to 31
    int hour{0};
    int minute{0};
    int second{0};
    std::string timeZone; // the zone the fields are read in
    bool operator==(const DateComponents&) const = default;
};

// The name of the process's default time zone; "UTC" when the system names none it knows.
std::string defaultTimeZoneName();

// True for the names that mean Coordinated Universal Time itself.
bool isUniversalTimeZone(std::string_view name);

// The date's fields in the named zone; an unknown zone reads as UTC (and is named so).
DateComponents gregorianComponents(Date date, const std::string& timeZone);

// The date that the fields name in their zone (NSCalendar's dateFromComponents:, not lenient):
// nullopt when a field is out of its range (month 13, 31 April, 24:00) or the zone is unknown.
// A local time that a clock change skips reads as the time after the change.
std::optional<Date> dateFromComponents(const DateComponents& parts);

} // namespace foundation
