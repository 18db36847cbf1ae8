// The process-wide state of the message list toolbar: what the list was last given to show,
// the quick filter it shows now, the inset and offset of the first bar placement, and the
// mark-and-move recogniser with its busy flag. Main thread only; lives as long as the process.
// (The quick-filter reset flag, shared with the mailbox list, is in extensionState().)
//   if (toolbarState().recordedMailboxes) applyQuickFilter(controller, type);
#pragma once

#include "host/message_list_controller.hpp"
#include "platform/objc/objc.hpp"
#include "platform/quartz/geometry.hpp"
#include "platform/uikit/UILongPressGestureRecognizer.hpp"

#include <optional>
#include <vector>

namespace tintbox::mailhooks {

struct ToolbarState {
    // The mailboxes, source object and source type the host last gave a message list; never
    // cleared.
    std::optional<host::Mailboxes> recordedMailboxes{};
    objc::Ref<NSObject> recordedSource{};
    NSInteger recordedSourceType{host::kSourceAll};
    // The source type that the quick filter bar last applied (0, 2 or 3).
    NSInteger activeQuickFilter{host::kSourceAll};
    // Read at the first bar placement of the process and reused by every later one.
    std::optional<UIEdgeInsets> firstInset{};
    std::optional<CGPoint> firstOffset{};
    // Set when a long press has marked and moved; cleared by the next toolbar update or
    // edit-mode change, so that one press acts once.
    bool markAndMoveBusy{false};
    objc::Ref<UILongPressGestureRecognizer> markAndMoveRecogniser{};
    // The reminder recognisers put on message tables, so that a table gets one only.
    std::vector<objc::WeakRef<NSObject>> reminderRecognisers{};
};

ToolbarState& toolbarState();

} // namespace tintbox::mailhooks
