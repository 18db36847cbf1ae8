#include "mailhooks/message_list_toolbar.hpp"

namespace tintbox::mailhooks {

void installMessageListToolbarHooks(Class) {}

} // namespace tintbox::mailhooks
