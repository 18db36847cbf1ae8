// The platform's C-style names for the Darwin notify centre, forwarding to DarwinNotifyCenter.
// The Darwin centre carries no object and no user info: observers receive null for both, and
// delivery always happens on the observing process's main run loop.
#pragma once

#include "platform/corefoundation/cf_types.hpp"

namespace corefoundation {

CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter();

// A refused name (empty, containing '/', "." or ".."), a null centre or a null callback
// registers nothing.
void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer,
                                     CFNotificationCallback callBack, CFStringRef name,
                                     const void* object,
                                     CFNotificationSuspensionBehavior suspensionBehavior);
// An empty name removes the observer's registrations for every name.
void CFNotificationCenterRemoveObserver(CFNotificationCenterRef center, const void* observer,
                                        CFStringRef name, const void* object);
void CFNotificationCenterRemoveEveryObserver(CFNotificationCenterRef center, const void* observer);
// A refused name posts nothing.
void CFNotificationCenterPostNotification(CFNotificationCenterRef center, CFStringRef name,
                                          const void* object, CFDictionaryRef userInfo,
                                          bool deliverImmediately);

} // namespace corefoundation
