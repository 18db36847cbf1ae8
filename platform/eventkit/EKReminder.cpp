#include "platform/eventkit/EKReminder.hpp"

#include "platform/dispatch/run_loop.hpp"
#include "platform/eventkit/EKEventStore.hpp"

#include <array>
#include <cstdio>
#include <random>

namespace {
[[maybe_unused]] const Class registeredAtLoad = EKReminder::registerRuntimeClass();

// A random (version 4) UUID in upper case, as the platform's identifiers are written.
std::string randomUUID() {
    std::random_device device;
    std::array<unsigned char, 16> bytes{};
    for (auto& byte : bytes)
        byte = static_cast<unsigned char>(device() & 0xFF);
    bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3F) | 0x80);
    char text[37] = {};
    std::snprintf(text, sizeof text,
                  "%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X", bytes[0],
                  bytes[1], bytes[2], bytes[3], bytes[4], bytes[5], bytes[6], bytes[7], bytes[8],
                  bytes[9], bytes[10], bytes[11], bytes[12], bytes[13], bytes[14], bytes[15]);
    return text;
}
} // namespace

Class EKReminder::registerRuntimeClass() {
    EKAlarm::registerRuntimeClass();
    EKCalendar::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<EKReminder>("EKReminder")
            .classMethod(
                "reminderWithEventStore:",
                +[](Class, SEL, id store) -> objc::Ref<NSObject> {
                    return EKReminder::reminderWithEventStore(dynamic_cast<EKEventStore*>(store));
                })
            .method<&EKReminder::calendarItemIdentifier>("calendarItemIdentifier")
            .method<&EKReminder::creationDate>("creationDate")
            .method<&EKReminder::title>("title")
            .method<&EKReminder::setTitle>("setTitle:")
            .method<&EKReminder::notes>("notes")
            .method<&EKReminder::setNotes>("setNotes:")
            .method<&EKReminder::URL>("URL")
            .method<&EKReminder::setURL>("setURL:")
            .method<&EKReminder::calendar>("calendar")
            .method<&EKReminder::setCalendar>("setCalendar:")
            .method<&EKReminder::alarms>("alarms")
            .method<&EKReminder::setAlarms>("setAlarms:")
            .method<&EKReminder::dueDateComponents>("dueDateComponents")
            .method<&EKReminder::setDueDateComponents>("setDueDateComponents:");
    return cls;
}

EKReminder::EKReminder()
    : m_identifier(randomUUID()), m_creationDate{dispatch::RunLoop::main().now()} {}

objc::Ref<EKReminder> EKReminder::reminderWithEventStore(EKEventStore* store) {
    if (!store)
        return nullptr;
    return objc::make<EKReminder>();
}
