// The quick filter bar of the message list: an All / Unread / Flagged segmented control (tag
// 2632) above the table, which lists the same mailboxes again as all, unread-only or
// flagged-only messages; placed when the list is shown, faded out for search and edit mode.
//   showQuickFilterBar(controller);                         // after viewWillAppear:
//   applyQuickFilter(controller, sourceTypeOfSegment(1));   // "Unread"
#pragma once

#include "platform/objc/objc.hpp"

#include <functional>

class UIView;

namespace tintbox::mailhooks {

// The source type a segment stands for: 0 all, 1 unread (3), 2 flagged (2); any other index
// gives kNoSourceType, which is never applied.
inline constexpr NSInteger kNoSourceType = 100;
NSInteger sourceTypeOfSegment(NSInteger index);

// Lists the recorded mailboxes with the source type and reloads the table, unless nothing is
// recorded, the type is not a source type, or it is the active quick filter already.
void applyQuickFilter(id controller, NSInteger sourceType);
// Back to all messages when another quick filter is active, with or without a bar.
void resetQuickFilter(id controller);

// When the list is about to be shown with the quick filter on: brings the bar forward, or
// places a new one with the table's top inset 44 points larger; leaves the bar alone when a
// filtered source is shown again before the mailbox list has been seen.
void showQuickFilterBar(id controller);

// Fades the controller's bar in or out over 0.5 s, moving the table's top inset by 44 points
// with it; then runs `completion` with the bar. Does nothing without a bar.
void fadeQuickFilterBar(id controller, bool shown, std::function<void(UIView& bar)> completion);

} // namespace tintbox::mailhooks
