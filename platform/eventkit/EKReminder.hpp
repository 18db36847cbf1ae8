// EKReminder: one reminder of an event store: title, notes, URL, calendar, alarms and due date
// (as date components in a time zone). Nothing is written until the store saves it; saving
// again rewrites the same file (the identifier stays).
//   auto reminder = EKReminder::reminderWithEventStore(store.get());
//   reminder->setTitle("Call Ada"); reminder->setCalendar(store->defaultCalendarForNewReminders());
#pragma once

#include "platform/eventkit/EKAlarm.hpp"
#include "platform/eventkit/EKCalendar.hpp"
#include "platform/foundation/calendar.hpp"

#include <optional>
#include <string>
#include <vector>

class EKEventStore;

class EKReminder : public NSObject {
public:
    static Class registerRuntimeClass();

    EKReminder();

    static objc::Ref<EKReminder> reminderWithEventStore(EKEventStore* store);

    // A unique identifier made with the reminder (a random UUID), also its file's name.
    std::string calendarItemIdentifier() const { return m_identifier; }
    // When the reminder was made, on the main run loop's clock.
    foundation::Date creationDate() const { return m_creationDate; }

    std::string title() const { return m_title; }
    void setTitle(std::string title) { m_title = std::move(title); }
    std::optional<std::string> notes() const { return m_notes; }
    void setNotes(std::optional<std::string> notes) { m_notes = std::move(notes); }
    std::optional<std::string> URL() const { return m_url; }
    void setURL(std::optional<std::string> url) { m_url = std::move(url); }
    EKCalendar* calendar() const { return m_calendar.get(); }
    void setCalendar(EKCalendar* calendar) { m_calendar = calendar; }
    std::vector<objc::Ref<EKAlarm>> alarms() const { return m_alarms; }
    void setAlarms(std::vector<objc::Ref<EKAlarm>> alarms) { m_alarms = std::move(alarms); }
    std::optional<foundation::DateComponents> dueDateComponents() const { return m_due; }
    void setDueDateComponents(std::optional<foundation::DateComponents> due) {
        m_due = std::move(due);
    }

private:
    std::string m_identifier;
    foundation::Date m_creationDate;
    std::string m_title;
    std::optional<std::string> m_notes;
    std::optional<std::string> m_url;
    objc::Ref<EKCalendar> m_calendar;
    std::vector<objc::Ref<EKAlarm>> m_alarms;
    std::optional<foundation::DateComponents> m_due;
};
