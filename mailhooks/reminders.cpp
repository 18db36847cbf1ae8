#include "mailhooks/reminders.hpp"

namespace tintbox::mailhooks {

void installReminderHooks(Class) {}

} // namespace tintbox::mailhooks
