// Highlighting of the open message: the MessageContentLayer gets an account band and a filter
// band over its header, placed by area, width and alignment and coloured for each message.
//   installMessageViewHooks(objc_getClass(host::kMessageContentLayer));   // at load
#pragma once

#include "platform/objc/types.hpp"

namespace tintbox::mailhooks {

// Seconds after a layout at which the bands are placed again, once the header has settled.
inline constexpr double kSecondPlacementDelay = 0.25;

// Replaces layoutSubviews, displayMessage:withStyle: and initWithFrame:, in this order.
void installMessageViewHooks(Class messageContentLayer);

} // namespace tintbox::mailhooks
