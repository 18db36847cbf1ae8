// Typed wrappers over Mail's message list controller (MailboxContentViewController) for its
// toolbar and quick filters: its views, the mailboxes it lists, its selection and its Move
// button. A nil controller gives empty results, as a message to nil does.
//   host::setMailboxes(controller, mailboxes, host::kSourceUnread);
#pragma once

#include "platform/objc/objc.hpp"

#include <vector>

class UIView;
class UITableView;
class UIBarButtonItem;

namespace tintbox::host {

// The host's source types: what a message list shows of its mailboxes.
inline constexpr NSInteger kSourceAll = 0;
inline constexpr NSInteger kSourceFlagged = 2;
inline constexpr NSInteger kSourceUnread = 3;

using Mailboxes = std::vector<objc::Ref<NSObject>>;

// The controller's root view and the table it shows now (the search table while searching).
UIView* view(id controller);
UITableView* currentTableView(id controller);

// Lists the mailboxes as the source type says; goes through any replacement of the method.
void setMailboxes(id controller, const Mailboxes& mailboxes, NSInteger sourceType);

// The selection model of edit mode (ivar _selectionModel); nil when there is none.
id selectionModel(id controller);
// The Move button: the ivar _moveButtonItem and the item moveButtonItem answers now.
UIBarButtonItem* moveButtonItemIvar(id controller);
UIBarButtonItem* moveButtonItem(id controller);
// The view that shows a bar button item (valueForKey: "view"); nil for none.
UIView* barButtonItemView(id item);

// Marks the selected messages read (or unread) and opens the move sheet for the item.
void bulkMarkSelection(id controller, id selection, bool read);
void transferButtonClicked(id controller, id sender);

// True when the source is a ThreadedMiniMallSource (or a subclass); false for nil.
bool isThreadedMiniMallSource(id source);

} // namespace tintbox::host
