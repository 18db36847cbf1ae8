// Highlighting of Mail's mailbox list: each MailboxTableCell row gets a band in its account's
// colour, the mailbox picker reloads once after a settings change, and an account's folder list
// tints its navigation bar with the account colour.
//   installMailboxListHooks(tableCell, pickerController, folderListController);   // at load
#pragma once

#include "platform/objc/types.hpp"

namespace tintbox::mailhooks {

// Replaces, in this order: MailboxTableCell initWithStyle:reuseIdentifier: and
// _updateUnreadCount; MailboxPickerController viewWillAppear: and
// tableView:cellForRowAtIndexPath:; MailboxListViewControllerMail viewWillDisappear: and
// updateTitle.
void installMailboxListHooks(Class mailboxTableCell, Class mailboxPickerController,
                             Class mailboxListViewControllerMail);

} // namespace tintbox::mailhooks
