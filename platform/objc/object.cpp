#include "platform/objc/object.hpp"

#include "platform/objc/class_table.hpp"
#include "platform/objc/method_lookup.hpp"

namespace objc::detail {
namespace {
thread_local Class t_classForNextObject = nullptr;
}

ClassForNextObject::ClassForNextObject(Class cls)
    : m_previous(std::exchange(t_classForNextObject, cls)) {}

ClassForNextObject::~ClassForNextObject() {
    t_classForNextObject = m_previous;
}

std::shared_ptr<WeakSlot> weakSlotOf(NSObject& object) {
    if (!object.m_weakSlot)
        object.m_weakSlot = std::make_shared<WeakSlot>(WeakSlot{&object});
    return object.m_weakSlot;
}

} // namespace objc::detail

NSObject::NSObject() : m_isa(std::exchange(objc::detail::t_classForNextObject, nullptr)) {}

NSObject::~NSObject() = default;

void NSObject::release() {
    if (--m_retainCount != 0)
        return;
    // Weak references read as null from the moment the object starts to go away.
    if (m_weakSlot)
        m_weakSlot->object = nullptr;
    delete this;
}

bool NSObject::isKindOfClass(Class cls) const {
    return class_isSubclassOfClass(m_isa, cls);
}

bool NSObject::respondsToSelector(SEL selector) const {
    return m_isa && class_respondsToSelector(m_isa, selector);
}
