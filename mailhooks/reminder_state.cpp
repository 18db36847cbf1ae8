#include "mailhooks/reminder_state.hpp"

namespace tintbox::mailhooks {

ReminderState& reminderState() {
    static ReminderState state;
    return state;
}

} // namespace tintbox::mailhooks
