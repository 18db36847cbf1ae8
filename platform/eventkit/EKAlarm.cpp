#include "platform/eventkit/EKAlarm.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = EKAlarm::registerRuntimeClass();
} // namespace

Class EKAlarm::registerRuntimeClass() {
    static const Class cls = objc::ClassBuilder<EKAlarm>("EKAlarm")
                                 .classMethod(
                                     "alarmWithAbsoluteDate:",
                                     +[](Class, SEL, foundation::Date date) -> objc::Ref<NSObject> {
                                         return EKAlarm::alarmWithAbsoluteDate(date);
                                     })
                                 .method<&EKAlarm::absoluteDate>("absoluteDate")
                                 .method<&EKAlarm::setAbsoluteDate>("setAbsoluteDate:");
    return cls;
}

objc::Ref<EKAlarm> EKAlarm::alarmWithAbsoluteDate(foundation::Date date) {
    return objc::make<EKAlarm>(date);
}
