// Mark as read and move: in edit mode a long press on the message list's Move button marks the
// selected messages read and opens the move sheet, as a tap on Move would. One recogniser
// serves the whole process; it sits on the Move button of the controller that last updated
// its toolbar and acts for that controller.
//   attachMarkAndMove(controller);   // after updateToolbarButtons
//   markAndMove(controller);         // moveButtonMarkAsRead:
#pragma once

#include "platform/objc/types.hpp"

namespace tintbox::mailhooks {

// Puts the recogniser on the controller's Move button and re-arms it, when the setting is on
// and the controller has a Move button.
void attachMarkAndMove(id controller);
// Marks the controller's selection read and opens its move sheet, once per long press.
void markAndMove(id controller);
// Lets the next long press act again.
void rearmMarkAndMove();

} // namespace tintbox::mailhooks
