#include "platform/eventkit/EKEventStore.hpp"

#include "platform/dispatch/run_loop.hpp"
#include "platform/eventkit/reminder_ics.hpp"
#include "platform/foundation/device_path.hpp"
#include "platform/foundation/file_io.hpp"

#include <system_error>

namespace {
[[maybe_unused]] const Class registeredAtLoad = EKEventStore::registerRuntimeClass();

constexpr const char* kDefaultCalendarTitle = "Reminders";

void fail(objc::Ref<NSError>* error, NSInteger code, std::string description) {
    if (error)
        *error = objc::make<NSError>(std::string(EKErrorDomain), code, std::move(description));
}
} // namespace

Class EKEventStore::registerRuntimeClass() {
    NSError::registerRuntimeClass();
    EKReminder::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<EKEventStore>("EKEventStore")
            .method<&EKEventStore::init>("init")
            .method<&EKEventStore::defaultCalendarForNewReminders>("defaultCalendarForNewReminders")
            .method<&EKEventStore::saveReminder>("saveReminder:commit:error:")
            .method<&EKEventStore::commit>("commit:");
    return cls;
}

std::filesystem::path EKEventStore::remindersFolder() {
    return foundation::devicePath(kRemindersFolder);
}

objc::Ref<EKEventStore> EKEventStore::create() {
    auto store = objc::make<EKEventStore>();
    id initialised = objc::msgSend<id()>(store, sel_registerName("init"));
    return objc::Ref<EKEventStore>(dynamic_cast<EKEventStore*>(initialised));
}

EKEventStore* EKEventStore::init() {
    const std::filesystem::path folder = remindersFolder();
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    if (!std::filesystem::is_directory(folder, ignored))
        return nullptr;
    // The calendar's title for tools that read folders of .ics files; a folder without it is
    // still a calendar, so a failure here is not one of the store's.
    const std::filesystem::path title = folder / "displayname";
    if (!std::filesystem::exists(title, ignored))
        foundation::writeFileAtomically(title, kDefaultCalendarTitle);
    m_defaultCalendar = objc::make<EKCalendar>(kDefaultCalendarTitle, folder);
    return this;
}

std::filesystem::path EKEventStore::fileOfReminder(const EKReminder& reminder) {
    if (!reminder.calendar())
        return {};
    return reminder.calendar()->folder() / (reminder.calendarItemIdentifier() + ".ics");
}

bool EKEventStore::saveReminder(EKReminder* reminder, bool commitNow, objc::Ref<NSError>* error) {
    if (!reminder) {
        fail(error, EKErrorInvalidReminder, "There is no reminder to save.");
        return false;
    }
    if (!reminder->calendar()) {
        fail(error, EKErrorNoCalendar, "No calendar has been set.");
        return false;
    }
    if (!commitNow) {
        m_uncommitted.emplace_back(reminder);
        return true;
    }
    return write(*reminder, error);
}

bool EKEventStore::commit(objc::Ref<NSError>* error) {
    while (!m_uncommitted.empty()) {
        if (!write(*m_uncommitted.front(), error))
            return false;
        m_uncommitted.erase(m_uncommitted.begin());
    }
    return true;
}

bool EKEventStore::write(EKReminder& reminder, objc::Ref<NSError>* error) {
    const std::string document =
        eventkit::reminderAsICalendar(reminder, foundation::Date{dispatch::RunLoop::main().now()});
    std::string why;
    if (!foundation::writeFileAtomically(fileOfReminder(reminder), document, &why)) {
        fail(error, EKErrorCalendarReadOnly, "The reminder could not be saved (" + why + ").");
        return false;
    }
    return true;
}
