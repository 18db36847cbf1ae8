#include "platform/eventkit/reminder_ics.hpp"

#include "platform/eventkit/EKReminder.hpp"
#include "platform/eventkit/ical_library.hpp"

#include <cmath>
#include <ctime>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <unicode/utf8.h>

namespace eventkit {
namespace {

constexpr double kReferenceDateSinceUnixEpochSeconds = 978307200.0;

struct ComponentDeleter {
    void operator()(icalcomponent* component) const {
        detail::icalLibrary().icalcomponent_free(component);
    }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

struct TextDeleter {
    void operator()(char* text) const { detail::icalLibrary().icalmemory_free_buffer(text); }
};
using OwnedText = std::unique_ptr<char, TextDeleter>;

icaltimetype utcTime(foundation::Date date) {
    const auto unixSeconds = static_cast<std::time_t>(
        std::floor(date.secondsSinceReferenceDate + kReferenceDateSinceUnixEpochSeconds));
    return detail::icalLibrary().icaltime_from_timet_with_zone(
        unixSeconds, 0, detail::icalLibrary().icaltimezone_get_utc_timezone());
}

icaltimetype localTime(const foundation::DateComponents& parts) {
    icaltimetype time = detail::icalLibrary().icaltime_null_time();
    time.year = parts.year;
    time.month = parts.month;
    time.day = parts.day;
    time.hour = parts.hour;
    time.minute = parts.minute;
    time.second = parts.second;
    time.is_date = 0;
    return time;
}

// The zone's VTIMEZONE under the zone's own name (the one DUE names), with only the rules in
// force from the due date on: readers need no more, and some refuse the older ones.
icalcomponent* zoneRulesFrom(icalcomponent* rules, const std::string& name, icaltimetype due,
                             icaltimezone* zone) {
    icalcomponent* copy = detail::icalLibrary().icalcomponent_new_clone(rules);
    if (icalproperty* tzid =
            detail::icalLibrary().icalcomponent_get_first_property(copy, ICAL_TZID_PROPERTY))
        detail::icalLibrary().icalproperty_set_tzid(tzid, name.c_str());
    icaltimetype start = due;
    start.zone = zone;
    start = detail::icalLibrary().icaltime_convert_to_zone(
        start, detail::icalLibrary().icaltimezone_get_utc_timezone());
    detail::icalLibrary().icaltimezone_truncate_vtimezone(
        copy, start, detail::icalLibrary().icaltime_null_time(), 0);
    return copy;
}

// DUE in the components' zone; a zone libical has no rules for is written as UTC instead, so
// that the time a reader sees is still the right moment.
void addDue(icalcomponent* calendar, icalcomponent* todo, const foundation::DateComponents& due) {
    if (foundation::isUniversalTimeZone(due.timeZone)) {
        icaltimetype time = localTime(due);
        time.zone = detail::icalLibrary().icaltimezone_get_utc_timezone();
        detail::icalLibrary().icalcomponent_add_property(
            todo, detail::icalLibrary().icalproperty_new_due(time));
        return;
    }
    icaltimezone* zone =
        detail::icalLibrary().icaltimezone_get_builtin_timezone(due.timeZone.c_str());
    icaltimetype time = localTime(due);
    if (!zone) {
        time = detail::icalLibrary().icaltime_convert_to_zone(
            time, detail::icalLibrary().icaltimezone_get_utc_timezone());
        detail::icalLibrary().icalcomponent_add_property(
            todo, detail::icalLibrary().icalproperty_new_due(time));
        return;
    }
    if (icalcomponent* rules = detail::icalLibrary().icaltimezone_get_component(zone))
        detail::icalLibrary().icalcomponent_add_component(
            calendar, zoneRulesFrom(rules, due.timeZone, time, zone));
    icalproperty* property = detail::icalLibrary().icalproperty_new_due(time);
    detail::icalLibrary().icalproperty_add_parameter(
        property, detail::icalLibrary().icalparameter_new_tzid(due.timeZone.c_str()));
    detail::icalLibrary().icalcomponent_add_property(todo, property);
}

// Text that an iCalendar TEXT value may hold: valid UTF-8 without control characters other
// than tab and line feed (which libical escapes). A CR LF pair or a lone CR is a line break;
// any other control character, and any byte that is not UTF-8, becomes U+FFFD, so nothing that
// follows a NUL is lost either.
std::string icalText(std::string_view text) {
    constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
    std::string out;
    out.reserve(text.size());
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    for (std::int32_t i = 0; i < length;) {
        const std::int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c == '\r') {
            if (i < length && bytes[i] == '\n')
                ++i;
            out += '\n';
        } else if (c < 0 || (c < 0x20 && c != '\t' && c != '\n') || c == 0x7F) {
            out += kReplacement;
        } else {
            out.append(
                text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(i - start)));
        }
    }
    return out;
}

icalcomponent* alarmAt(foundation::Date date, const std::string& description) {
    icaltriggertype trigger{};
    trigger.time = utcTime(date);
    trigger.duration = detail::icalLibrary().icaldurationtype_null_duration();
    return detail::icalLibrary().icalcomponent_vanew(
        ICAL_VALARM_COMPONENT, detail::icalLibrary().icalproperty_new_action(ICAL_ACTION_DISPLAY),
        detail::icalLibrary().icalproperty_new_description(description.c_str()),
        detail::icalLibrary().icalproperty_new_trigger(trigger), nullptr);
}

} // namespace

std::string reminderAsICalendar(const EKReminder& reminder, foundation::Date stamp) {
    Component calendar(detail::icalLibrary().icalcomponent_vanew(
        ICAL_VCALENDAR_COMPONENT, detail::icalLibrary().icalproperty_new_version("2.0"),
        detail::icalLibrary().icalproperty_new_prodid("-//Tintbox//Reminders 1.0//EN"), nullptr));
    icalcomponent* todo = detail::icalLibrary().icalcomponent_new(ICAL_VTODO_COMPONENT);
    const std::string uid = reminder.calendarItemIdentifier();
    detail::icalLibrary().icalcomponent_add_property(
        todo, detail::icalLibrary().icalproperty_new_uid(uid.c_str()));
    detail::icalLibrary().icalcomponent_add_property(
        todo, detail::icalLibrary().icalproperty_new_dtstamp(utcTime(stamp)));
    detail::icalLibrary().icalcomponent_add_property(
        todo, detail::icalLibrary().icalproperty_new_created(utcTime(reminder.creationDate())));
    detail::icalLibrary().icalcomponent_add_property(
        todo, detail::icalLibrary().icalproperty_new_lastmodified(utcTime(stamp)));
    const std::string title = icalText(reminder.title());
    detail::icalLibrary().icalcomponent_add_property(
        todo, detail::icalLibrary().icalproperty_new_summary(title.c_str()));
    if (const auto notes = reminder.notes())
        detail::icalLibrary().icalcomponent_add_property(
            todo, detail::icalLibrary().icalproperty_new_description(icalText(*notes).c_str()));
    if (const auto url = reminder.URL())
        detail::icalLibrary().icalcomponent_add_property(
            todo, detail::icalLibrary().icalproperty_new_url(icalText(*url).c_str()));
    detail::icalLibrary().icalcomponent_add_property(
        todo, detail::icalLibrary().icalproperty_new_status(ICAL_STATUS_NEEDSACTION));
    if (const auto due = reminder.dueDateComponents())
        addDue(calendar.get(), todo, *due);
    for (const auto& alarm : reminder.alarms())
        if (alarm)
            detail::icalLibrary().icalcomponent_add_component(
                todo, alarmAt(alarm->absoluteDate(), title.empty() ? "Reminder" : title));
    detail::icalLibrary().icalcomponent_add_component(calendar.get(), todo);

    OwnedText text(detail::icalLibrary().icalcomponent_as_ical_string_r(calendar.get()));
    if (!text)
        throw std::runtime_error("libical could not write the reminder " + uid);
    // When a content line reaches the fold width exactly at its end, libical folds inside the
    // line's own CR LF, leaving a bare CR: the pair is put back together.
    constexpr std::string_view kSplitLineEnd = "\r\r\n \n";
    std::string document = text.get();
    for (auto at = document.find(kSplitLineEnd); at != std::string::npos;
         at = document.find(kSplitLineEnd, at))
        document.replace(at, kSplitLineEnd.size(), "\r\n");
    return document;
}

} // namespace eventkit
