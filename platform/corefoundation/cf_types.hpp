// The Core Foundation types of the notify centre's C-style interface, as simple typed
// stand-ins: names are string views, user info is a property-list dictionary (which the
// Darwin centre never carries), and the centre is the C++ DarwinNotifyCenter.
#pragma once

#include "platform/foundation/value.hpp"

#include <string_view>

namespace corefoundation {

class DarwinNotifyCenter;

using CFNotificationCenterRef = DarwinNotifyCenter*;
using CFStringRef = std::string_view;
using CFDictionaryRef = const foundation::Dictionary*;

// What happens to notifications while the app is suspended. Apps here are never suspended,
// and the Darwin centre coalesces every name anyway, so all four behave as Coalesce.
enum CFNotificationSuspensionBehavior : long {
    CFNotificationSuspensionBehaviorDrop = 1,
    CFNotificationSuspensionBehaviorCoalesce = 2,
    CFNotificationSuspensionBehaviorHold = 3,
    CFNotificationSuspensionBehaviorDeliverImmediately = 4,
};

using CFNotificationCallback = void (*)(CFNotificationCenterRef center, void* observer,
                                        CFStringRef name, const void* object,
                                        CFDictionaryRef userInfo);

} // namespace corefoundation
