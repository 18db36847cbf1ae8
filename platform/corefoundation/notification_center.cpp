#include "platform/corefoundation/notification_center.hpp"

#include "platform/corefoundation/darwin_notify_center.hpp"

namespace corefoundation {

CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter() {
    return &DarwinNotifyCenter::shared();
}

void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer,
                                     CFNotificationCallback callBack, CFStringRef name,
                                     const void* /*object*/,
                                     CFNotificationSuspensionBehavior /*suspensionBehavior*/) {
    if (center)
        center->addObserver(observer, name, callBack);
}

void CFNotificationCenterRemoveObserver(CFNotificationCenterRef center, const void* observer,
                                        CFStringRef name, const void* /*object*/) {
    if (center)
        center->removeObserver(observer, name);
}

void CFNotificationCenterRemoveEveryObserver(CFNotificationCenterRef center, const void* observer) {
    if (center)
        center->removeEveryObserver(observer);
}

void CFNotificationCenterPostNotification(CFNotificationCenterRef center, CFStringRef name,
                                          const void* /*object*/, CFDictionaryRef /*userInfo*/,
                                          bool /*deliverImmediately*/) {
    if (center)
        center->post(name);
}

} // namespace corefoundation
