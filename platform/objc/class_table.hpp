// The class table: runtime classes by name, each with its superclass and the C++ type whose
// objects it describes, and the factory that makes objects. Classes are registered with
// objc::ClassBuilder (class_builder.hpp); objects are made with objc::make<T>(args...) or,
// for a class named in data, with class_createInstance(objc_getClass("TBColorCell")).
#pragma once

#include "platform/objc/object.hpp"

#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <vector>

// The class registered under name; Nil when there is none.
Class objc_getClass(std::string_view name);
inline Class objc_lookUpClass(std::string_view name) {
    return objc_getClass(name);
}
const char* class_getName(Class cls);
Class class_getSuperclass(Class cls);
// True when cls is ancestor or ancestor's subclass; both may be Nil (then false).
bool class_isSubclassOfClass(Class cls, Class ancestor);
inline Class object_getClass(id object) {
    return object ? object->runtimeClass() : Nil;
}
inline const char* object_getClassName(id object) {
    return class_getName(object_getClass(object));
}
// A new object of cls, default-constructed by the C++ type registered for it; a class whose
// C++ type cannot be default-constructed stops the program. The result owns the object.
objc::Ref<NSObject> class_createInstance(Class cls);

namespace objc {
namespace detail {

using Factory = Ref<NSObject> (*)(Class cls);

// Registers name as a subclass of superclass for objects of cppType (Nil superclass only for
// the root). Registering the same name, type and superclass again returns the same class; any
// other clash stops the program.
Class registerClass(std::string_view name, Class superclass, const std::type_info& cppType,
                    Factory factory);
Class classForType(const std::type_info& cppType);
[[noreturn]] void failUnregisteredType(const std::type_info& cppType);

template <class T, class... Args>
Ref<T> construct(Class cls, Args&&... args) {
    ClassForNextObject scope(cls);
    return Ref<T>::adopt(new T(std::forward<Args>(args)...));
}

template <class T>
Factory factoryFor() {
    if constexpr (std::is_default_constructible_v<T> && !std::is_abstract_v<T>)
        return [](Class cls) -> Ref<NSObject> { return construct<T>(cls); };
    else
        return nullptr;
}

} // namespace detail

// A mark in the order in which classes were registered, and the classes registered after it:
// how a loader learns which classes a library brought in while it was being opened.
std::size_t classRegistrationMark();
std::vector<Class> classesRegisteredSince(std::size_t mark);

// The runtime class registered for the C++ type T; stops the program when there is none.
template <class T>
Class classOf() {
    static_assert(std::derived_from<T, NSObject>);
    if (Class cls = detail::classForType(typeid(T)))
        return cls;
    detail::failUnregisteredType(typeid(T));
}

// The one way to make an object: constructs T with args and gives it T's runtime class.
template <class T, class... Args>
Ref<T> make(Args&&... args) {
    return detail::construct<T>(classOf<T>(), std::forward<Args>(args)...);
}

} // namespace objc
