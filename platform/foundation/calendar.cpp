#include "platform/foundation/calendar.hpp"

#include <array>
#include <cmath>
#include <memory>
#include <stdexcept>
#include <unicode/ucal.h>
#include <unicode/ustring.h>

namespace foundation {
namespace {

constexpr double kReferenceDateSinceUnixEpochSeconds = 978307200.0;
constexpr std::string_view kUTC = "UTC";

struct CalendarCloser {
    void operator()(UCalendar* calendar) const { ucal_close(calendar); }
};
using CalendarHandle = std::unique_ptr<UCalendar, CalendarCloser>;

std::u16string toUTF16(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

std::string toASCII(const UChar* text, std::int32_t length) {
    std::string result;
    for (std::int32_t i = 0; i < length; ++i)
        result += static_cast<char>(text[i] < 0x80 ? text[i] : '?');
    return result;
}

// The zone's name when ICU knows it as a system zone.
bool isKnownZone(const std::string& name) {
    const std::u16string zone = toUTF16(name);
    std::array<UChar, 128> canonical{};
    UBool isSystemID = false;
    UErrorCode status = U_ZERO_ERROR;
    ucal_getCanonicalTimeZoneID(zone.data(), static_cast<std::int32_t>(zone.size()),
                                canonical.data(), canonical.size(), &isSystemID, &status);
    return U_SUCCESS(status) && isSystemID;
}

} // namespace

bool isUniversalTimeZone(std::string_view name) {
    static constexpr std::array<std::string_view, 10> kNames{
        "UTC",           "Etc/UTC", "GMT",      "Etc/GMT",  "Universal",
        "Etc/Universal", "Zulu",    "Etc/Zulu", "Etc/GMT0", "GMT0"};
    for (std::string_view universal : kNames)
        if (name == universal)
            return true;
    return false;
}

std::string defaultTimeZoneName() {
    std::array<UChar, 128> buffer{};
    UErrorCode status = U_ZERO_ERROR;
    const std::int32_t length = ucal_getDefaultTimeZone(buffer.data(), buffer.size(), &status);
    if (U_FAILURE(status) || length <= 0)
        return std::string(kUTC);
    std::string name = toASCII(buffer.data(), length);
    if (isUniversalTimeZone(name) || !isKnownZone(name))
        return std::string(kUTC);
    return name;
}

DateComponents gregorianComponents(Date date, const std::string& timeZone) {
    const std::string zoneName = isKnownZone(timeZone) ? timeZone : std::string(kUTC);
    const std::u16string zone = toUTF16(zoneName);
    UErrorCode status = U_ZERO_ERROR;
    CalendarHandle calendar(ucal_open(zone.data(), static_cast<std::int32_t>(zone.size()),
                                      "en_US_POSIX", UCAL_GREGORIAN, &status));
    if (U_FAILURE(status) || !calendar)
        throw std::runtime_error("cannot open a Gregorian calendar in " + zoneName);
    const double unixSeconds = date.secondsSinceReferenceDate + kReferenceDateSinceUnixEpochSeconds;
    ucal_setMillis(calendar.get(), std::floor(unixSeconds) * 1000.0, &status);
    auto field = [&](UCalendarDateFields which) {
        return ucal_get(calendar.get(), which, &status);
    };
    DateComponents parts;
    parts.year = field(UCAL_EXTENDED_YEAR);
    parts.month = field(UCAL_MONTH) + 1;
    parts.day = field(UCAL_DATE);
    parts.hour = field(UCAL_HOUR_OF_DAY);
    parts.minute = field(UCAL_MINUTE);
    parts.second = field(UCAL_SECOND);
    if (U_FAILURE(status))
        throw std::runtime_error("cannot read a date in " + zoneName);
    parts.timeZone = zoneName;
    return parts;
}

std::optional<Date> dateFromComponents(const DateComponents& parts) {
    if (!isKnownZone(parts.timeZone))
        return std::nullopt;
    const std::u16string zone = toUTF16(parts.timeZone);
    UErrorCode status = U_ZERO_ERROR;
    CalendarHandle calendar(ucal_open(zone.data(), static_cast<std::int32_t>(zone.size()),
                                      "en_US_POSIX", UCAL_GREGORIAN, &status));
    if (U_FAILURE(status) || !calendar)
        return std::nullopt;
    ucal_setAttribute(calendar.get(), UCAL_LENIENT, 0);
    ucal_clear(calendar.get());
    ucal_setDateTime(calendar.get(), parts.year, parts.month - 1, parts.day, parts.hour,
                     parts.minute, parts.second, &status);
    const UDate millis = ucal_getMillis(calendar.get(), &status);
    if (U_FAILURE(status))
        return std::nullopt;
    return Date{millis / 1000.0 - kReferenceDateSinceUnixEpochSeconds};
}

} // namespace foundation
