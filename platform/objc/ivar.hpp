// Instance variables by name. The class that owns the storage registers a member under the
// platform's name (ClassBuilder<MailboxTableCell, UITableViewCell>(...).ivar<&MailboxTableCell::
// m_titleLabel>("_titleLabel")); other code finds it along the superclass chain and reads it:
//   Ivar title = class_getInstanceVariable(object_getClass(cell), "_titleLabel");
//   auto* label = dynamic_cast<UILabel*>(object_getIvar(cell, title));   // object variables
//   double& width = object_getIvar<double>(view, widthIvar);              // exact C++ type
#pragma once

#include "platform/objc/object.hpp"

#include <string_view>
#include <type_traits>
#include <typeinfo>

// The variable of that name in cls or its nearest superclass that has one; null when none.
Ivar class_getInstanceVariable(Class cls, std::string_view name);
const char* ivar_getName(Ivar ivar);
// The object that an object-holding variable (T*, Ref<T> or WeakRef<T>) refers to; nil for a
// nil object. A variable of another type, or an object without it, stops the program.
id object_getIvar(id object, Ivar ivar);

namespace objc::detail {

using IvarAddress = void* (*)(NSObject&);
using IvarObject = id (*)(NSObject&);

Ivar addIvar(Class cls, std::string_view name, const std::type_info& type, IvarAddress address,
             IvarObject object);
// The variable's storage in object, after checking that object has it and that it is a T.
void* ivarAddress(id object, Ivar ivar, const std::type_info& type);

template <class T>
id objectIn(const T& value) {
    if constexpr (std::is_pointer_v<T>)
        return value;
    else
        return value.get();
}

template <auto Member>
struct MemberIvar;

template <class C, class T, T C::*Member>
struct MemberIvar<Member> {
    using Owner = C;
    using Type = T;
    static void* address(NSObject& object) { return &(static_cast<C&>(object).*Member); }
    static id object(NSObject& object) { return objectIn(static_cast<C&>(object).*Member); }
};

// A member type that refers to an object: T*, Ref<T> or WeakRef<T>.
template <class T>
concept ObjectHolder = (std::is_pointer_v<T> && std::convertible_to<T, id>) ||
                       requires(const T& value) {
    { value.get() } -> std::convertible_to<id>;
};

} // namespace objc::detail

// The variable itself, as the C++ type it was registered with (Ref<UILabel>, double, ...);
// another type stops the program with both type names.
template <class T>
T& object_getIvar(id object, Ivar ivar) {
    return *static_cast<T*>(objc::detail::ivarAddress(object, ivar, typeid(T)));
}

namespace objc::detail {

// Registers the data member Member as the instance variable name of cls, whose C++ type must
// derive from the member's class (ClassBuilder::ivar checks that at compile time).
template <auto Member>
Ivar addMemberIvar(Class cls, std::string_view name) {
    using Access = MemberIvar<Member>;
    IvarObject object = nullptr;
    if constexpr (ObjectHolder<typename Access::Type>)
        object = &Access::object;
    return addIvar(cls, name, typeid(typename Access::Type), &Access::address, object);
}

} // namespace objc::detail
