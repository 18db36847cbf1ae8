// The message list controller's toolbar conveniences: the quick filter bar (All, Unread,
// Flagged), mark as read and move on a long press of Move, and the reminder recogniser that
// each showing of the list puts on its table.
//   installMessageListToolbarHooks(objc_getClass(host::kMailboxContentViewController));
#pragma once

#include "platform/objc/types.hpp"

namespace tintbox::mailhooks {

// Replaces, in this order, MailboxContentViewController's
// searchDisplayControllerWillBeginSearch:, searchDisplayControllerWillEndSearch:,
// _setInEditMode:animated:, updateToolbarButtons, updateBarButtons, viewWillAppear:,
// setSourceType:, setMailboxes:sourceType: and _addSource:toSection:, and adds
// moveButtonMarkAsRead: and segmentAction: ("v@:@"). A nil class gets nothing.
void installMessageListToolbarHooks(Class mailboxContentViewController);

} // namespace tintbox::mailhooks
