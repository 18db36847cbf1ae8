// The view tags by which the mail extension finds again the views it adds to Mail's views. A
// band is never kept anywhere else: every method looks it up with viewWithTag:.
#pragma once

#include "platform/objc/types.hpp"

namespace tintbox::mailhooks::tags {

inline constexpr NSInteger kListAccountBand = 2626;    // account band of a message list row
inline constexpr NSInteger kListFilterBand = 26262;    // filter band of a message list row
inline constexpr NSInteger kMessageAccountBand = 2627; // account band of the open message
inline constexpr NSInteger kMessageFilterBand = 26272; // filter band of the open message
inline constexpr NSInteger kMailboxBand = 2628;        // band of a mailbox list row
inline constexpr NSInteger kQuickFilterBar = 2632;     // quick filter bar of the message list
inline constexpr NSInteger kReminderAlert = 5654;      // the reminder alert (Create Reminder)

} // namespace tintbox::mailhooks::tags
