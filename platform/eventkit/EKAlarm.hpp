// EKAlarm: an alert of a reminder at an absolute date (seconds since the reference date).
//   reminder->setAlarms({EKAlarm::alarmWithAbsoluteDate(foundation::Date{due})});
#pragma once

#include "platform/foundation/value.hpp"
#include "platform/objc/objc.hpp"

class EKAlarm : public NSObject {
public:
    static Class registerRuntimeClass();

    EKAlarm() = default;
    explicit EKAlarm(foundation::Date date) : m_absoluteDate(date) {}

    static objc::Ref<EKAlarm> alarmWithAbsoluteDate(foundation::Date date);

    foundation::Date absoluteDate() const { return m_absoluteDate; }
    void setAbsoluteDate(foundation::Date date) { m_absoluteDate = date; }

private:
    foundation::Date m_absoluteDate;
};
