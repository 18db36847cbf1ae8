#include "mailhooks/reminders.hpp"

#include "host/mail_names.hpp"
#include "host/message_content.hpp"
#include "host/message_list_controller.hpp"
#include "mailhooks/extension_state.hpp"
#include "mailhooks/reminder_content.hpp"
#include "mailhooks/reminder_state.hpp"
#include "mailhooks/tags.hpp"
#include "platform/dispatch/run_loop.hpp"
#include "platform/foundation/calendar.hpp"
#include "platform/uikit/UIGestureRecognizer.hpp"
#include "platform/uikit/UITableView.hpp"
#include "settings/keys.hpp"

namespace tintbox::mailhooks {
namespace {

constexpr NSInteger kCancelButton = 1;
constexpr double kFirstDueDelaySeconds = 60;
const CGRect kDatePickerFrame = CGRectMake(0, 0, 360, 100);

SEL selector(std::string_view name) {
    return sel_registerName(name);
}

void showError(id controller, const std::string& message) {
    UIAlertView::withTitle("ERROR", message, controller, "", {"OK"})->show();
}

ReminderLimits reminderLimits() {
    const settings::SettingsSnapshot& s = extensionState().snapshot;
    return {s.reminderSubjectLimit, s.reminderBodyLimit, s.reminderIncludeEmailLink,
            s.settings ? foundation::find(*s.settings, settings::kReminderPrefix) : nullptr};
}

// The reminder alert and its date picker, made on first use. The alert answers the controller
// that shows it now: the one that made it may be gone while other message lists live on.
UIAlertView& reminderAlertFor(id controller) {
    ReminderState& state = reminderState();
    if (!state.reminderAlert) {
        auto alert = UIAlertView::withTitle("", "", nullptr, "", {});
        alert->setTitle("Create Reminder");
        alert->setTag(tags::kReminderAlert);
        alert->addButtonWithTitle("Add");
        alert->addButtonWithTitle("Cancel");
        alert->setCancelButtonIndex(kCancelButton);
        auto picker = UIView::withFrame<UIDatePicker>(kDatePickerFrame);
        picker->setDatePickerMode(UIDatePickerModeDateAndTime);
        objc::msgSend<void(id, std::string)>(alert, selector("setValue:forKey:"), picker.get(),
                                             std::string("accessoryView"));
        state.reminderAlert = alert;
        state.datePicker = picker;
    }
    state.reminderAlert->setDelegate(controller);
    return *state.reminderAlert;
}

void reminderLongPress(id self, SEL, id sender) {
    auto* recognizer = dynamic_cast<UIGestureRecognizer*>(sender);
    if (!recognizer || recognizer->state() != UIGestureRecognizerStateBegan)
        return;
    UITableView* table = host::currentTableView(self);
    id cell = host::cellAtPoint(table, recognizer->locationInView(table));
    if (!cell)
        return;

    ReminderState& state = reminderState();
    if (!state.eventStore)
        state.eventStore = EKEventStore::create();
    if (!state.eventStore) {
        showError(self, "Unable to create Reminder Event Store");
        return;
    }

    const ReminderContent content =
        reminderContent(host::messageContent(host::messageOfCell(cell)), reminderLimits());
    state.currentReminder = nullptr;
    state.currentReminder = EKReminder::reminderWithEventStore(state.eventStore.get());
    EKReminder& reminder = *state.currentReminder;
    reminder.setTitle(content.title);
    if (content.url)
        reminder.setURL(content.url);
    reminder.setNotes(content.notes);
    reminder.setCalendar(state.eventStore->defaultCalendarForNewReminders());

    UIAlertView& alert = reminderAlertFor(self);
    alert.setMessage(content.title);
    const auto& loop = dispatch::RunLoop::main();
    state.datePicker->setMinimumDate(foundation::Date{loop.now() + kFirstDueDelaySeconds});
    state.datePicker->setDate(foundation::Date{loop.now() + kFirstDueDelaySeconds});
    alert.show();
}

void alertViewDidDismiss(id self, SEL, id sender, NSInteger buttonIndex) {
    auto* alert = dynamic_cast<UIAlertView*>(sender);
    ReminderState& state = reminderState();
    if (!alert || alert->tag() != tags::kReminderAlert || buttonIndex == kCancelButton ||
        !state.eventStore || !state.currentReminder || !state.datePicker)
        return;

    const foundation::Date due{dueDateSeconds(state.datePicker->date().secondsSinceReferenceDate)};
    EKReminder& reminder = *state.currentReminder;
    reminder.setAlarms({EKAlarm::alarmWithAbsoluteDate(due)});
    reminder.setDueDateComponents(
        foundation::gregorianComponents(due, foundation::defaultTimeZoneName()));
    objc::Ref<NSError> error;
    if (!state.eventStore->saveReminder(&reminder, true, &error))
        showError(self, "Unable to add Reminder\n" + (error ? error->localizedDescription() : ""));
}

} // namespace

void installReminderHooks(Class mailboxContentViewController) {
    if (!mailboxContentViewController)
        return;
    class_addMethod(mailboxContentViewController,
                    selector(host::sel::kAlertViewDidDismissWithButtonIndex), &alertViewDidDismiss,
                    "v@:@q");
    class_addMethod(mailboxContentViewController, selector(host::sel::kReminderLongPress),
                    &reminderLongPress, "v@:@");
}

} // namespace tintbox::mailhooks
