// The process-wide objects of reminder creation: the event store (made on the first long
// press, tried again after a failure), the reminder built by the last long press, and the
// reminder alert with its date picker (made once). Main thread only; they live as long as the
// process.
//   ReminderState& state = reminderState();  if (!state.eventStore) ...
#pragma once

#include "platform/eventkit/EKEventStore.hpp"
#include "platform/uikit/UIAlertView.hpp"
#include "platform/uikit/UIDatePicker.hpp"

namespace tintbox::mailhooks {

struct ReminderState {
    objc::Ref<EKEventStore> eventStore;
    objc::Ref<EKReminder> currentReminder;
    objc::Ref<UIAlertView> reminderAlert;
    objc::Ref<UIDatePicker> datePicker;
};

ReminderState& reminderState();

} // namespace tintbox::mailhooks
