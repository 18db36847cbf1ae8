#include "platform/eventkit/EKCalendar.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = EKCalendar::registerRuntimeClass();
} // namespace

Class EKCalendar::registerRuntimeClass() {
    static const Class cls =
        objc::ClassBuilder<EKCalendar>("EKCalendar").method<&EKCalendar::title>("title");
    return cls;
}
