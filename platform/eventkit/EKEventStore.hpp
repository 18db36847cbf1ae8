// EKEventStore: the device's reminders. Its default reminders calendar is the folder
// /var/mobile/Library/Calendar/Reminders of the device root, one iCalendar file per reminder;
// init makes that folder and answers nil when it cannot. A save writes the reminder's file
// atomically (a reader sees the old file or the new one); a failed save answers NO with an
// NSError whose localizedDescription says why.
//   auto store = EKEventStore::create();          // nil when the folder cannot be made
//   objc::Ref<NSError> error;
//   if (!store->saveReminder(reminder.get(), true, &error)) ... error->localizedDescription()
#pragma once

#include "platform/eventkit/EKCalendar.hpp"
#include "platform/eventkit/EKReminder.hpp"
#include "platform/eventkit/NSError.hpp"

#include <filesystem>
#include <string_view>
#include <vector>

inline constexpr std::string_view EKErrorDomain = "EKErrorDomain";
inline constexpr NSInteger EKErrorNoCalendar = 1;
inline constexpr NSInteger EKErrorCalendarReadOnly = 6;
inline constexpr NSInteger EKErrorInvalidReminder = 22;

class EKEventStore : public NSObject {
public:
    static Class registerRuntimeClass();

    // The device path of the default reminders calendar's folder.
    static constexpr std::string_view kRemindersFolder = "/var/mobile/Library/Calendar/Reminders";
    static std::filesystem::path remindersFolder();

    // A new store through init; nil when init answers nil.
    static objc::Ref<EKEventStore> create();
    // Makes the calendar folder (and its `displayname`); answers the receiver, or nil when the
    // folder cannot be made.
    EKEventStore* init();

    EKCalendar* defaultCalendarForNewReminders() const { return m_defaultCalendar.get(); }

    // Writes the reminder now (commit) or at the next commit. NO with *error set when it has no
    // calendar or its file cannot be written; then no file of it changed.
    bool saveReminder(EKReminder* reminder, bool commit, objc::Ref<NSError>* error);
    // Writes every reminder saved without commit, in order; stops at the first failure.
    bool commit(objc::Ref<NSError>* error);

    // The file that holds (or will hold) the reminder; empty without a calendar.
    static std::filesystem::path fileOfReminder(const EKReminder& reminder);

private:
    bool write(EKReminder& reminder, objc::Ref<NSError>* error);

    objc::Ref<EKCalendar> m_defaultCalendar;
    std::vector<objc::Ref<EKReminder>> m_uncommitted;
};
