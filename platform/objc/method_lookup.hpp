// Sending messages. objc::msgSend looks the receiver's implementation of a selector up along
// the superclass chain (cached per class) and calls it, checking that the implementation has
// the signature the caller expects:
//   objc::msgSend<void(id, bool)>(cell, setMessageThreaded, message, true);   // explicit
//   objc::msgSend<UIView*>(cell, contentView);                               // deduced args
//   objc::msgSendClass<Class>(objc_getClass("GradientView"), layerClass);    // class method
// A message to nil does nothing and returns a zero value, as on the platform. An unknown
// selector or another signature stops the program with a message naming class and selector.
#pragma once

#include "platform/objc/class_table.hpp"
#include "platform/objc/signature.hpp"

#include <type_traits>
#include <typeinfo>

// Whether instances of cls respond to selector (instance methods along the chain).
bool class_respondsToSelector(Class cls, SEL selector);
// The method that instances (or, for the second, the class itself) use; null when none.
Method class_getInstanceMethod(Class cls, SEL selector);
Method class_getClassMethod(Class cls, SEL selector);
SEL method_getName(Method method);
// The method's type encoding, e.g. "v@:@q".
const char* method_getTypeEncoding(Method method);

namespace objc {
namespace detail {

using AnyFunction = void (*)();

// The implementation that a message reaches, looked up from startClass; stops the program
// when nobody implements the selector or the implementation's signature is not `signature`.
AnyFunction implementationForMessage(id receiver, Class startClass, SEL selector,
                                     const std::type_info& signature);
AnyFunction implementationForClassMessage(Class receiver, Class startClass, SEL selector,
                                          const std::type_info& signature);

template <class T>
inline constexpr bool isRefType = false;
template <class T>
inline constexpr bool isRefType<Ref<T>> = true;

template <class T>
id receiverOf(const T& receiver) {
    if constexpr (isRefType<T>)
        return receiver.get();
    else
        return receiver;
}

// Lets a Ref<T> stand where a T* argument is expected.
template <class Given>
decltype(auto) unwrapRef(Given&& given) {
    if constexpr (isRefType<std::remove_cvref_t<Given>>)
        return given.get();
    else
        return std::forward<Given>(given);
}

// The parameter type that the deduced form of msgSend reads from an argument.
template <class Given>
using DeducedParameter = std::conditional_t<isRefType<std::decay_t<Given>> ||
                                                std::is_null_pointer_v<std::decay_t<Given>>,
                                            id, RuntimeType<std::decay_t<Given>>>;

template <class R>
R nilResult() {
    if constexpr (!std::is_void_v<R>)
        return R{};
}

template <class Signature>
struct Message;

template <class R, class... Args>
struct Message<R(Args...)> {
    using InstanceImp = RuntimeType<R> (*)(id, SEL, RuntimeType<Args>...);
    using ClassImp = RuntimeType<R> (*)(Class, SEL, RuntimeType<Args>...);

    template <class... Given>
    static R send(id receiver, Class startClass, SEL selector, Given&&... given) {
        if (!receiver)
            return nilResult<R>();
        auto imp = reinterpret_cast<InstanceImp>(
            implementationForMessage(receiver, startClass, selector, typeid(InstanceImp)));
        return call(imp, receiver, selector, std::forward<Given>(given)...);
    }

    template <class... Given>
    static R sendToClass(Class receiver, Class startClass, SEL selector, Given&&... given) {
        if (!receiver)
            return nilResult<R>();
        auto imp = reinterpret_cast<ClassImp>(
            implementationForClassMessage(receiver, startClass, selector, typeid(ClassImp)));
        return call(imp, receiver, selector, std::forward<Given>(given)...);
    }

    template <class Imp, class Self, class... Given>
    static R call(Imp imp, Self self, SEL selector, Given&&... given) {
        static_assert(sizeof...(Given) == sizeof...(Args), "wrong number of message arguments");
        if constexpr (std::is_void_v<R>)
            imp(self, selector, toRuntime<Args>(unwrapRef(std::forward<Given>(given)))...);
        else if constexpr (std::same_as<R, RuntimeType<R>>)
            // A value (a string, a list) comes back as it is, not copied on the way.
            return imp(self, selector, toRuntime<Args>(unwrapRef(std::forward<Given>(given)))...);
        else
            return fromRuntime<R>(
                imp(self, selector, toRuntime<Args>(unwrapRef(std::forward<Given>(given)))...));
    }
};

} // namespace detail

// Sends selector to receiver (an id, T* or Ref<T>) with the explicit signature R(Args...).
template <class Signature, class Receiver, class... Given>
requires std::is_function_v<Signature>
decltype(auto) msgSend(const Receiver& receiver, SEL selector, Given&&... args) {
    id object = detail::receiverOf(receiver);
    return detail::Message<Signature>::send(object, object_getClass(object), selector,
                                            std::forward<Given>(args)...);
}

// Sends selector with the signature R(the decayed argument types; objects as id).
template <class R, class Receiver, class... Given>
requires(!std::is_function_v<R>) R
    msgSend(const Receiver& receiver, SEL selector, Given&&... args) {
    return msgSend<R(detail::DeducedParameter<Given>...)>(receiver, selector,
                                                          std::forward<Given>(args)...);
}

// Sends selector to receiver but starts the lookup at startClass: `[super ...]` is
// msgSendSuper<...>(self, class_getSuperclass(objc::classOf<Me>()), selector, ...).
template <class Signature, class Receiver, class... Given>
requires std::is_function_v<Signature>
decltype(auto) msgSendSuper(const Receiver& receiver, Class startClass, SEL selector,
                            Given&&... args) {
    return detail::Message<Signature>::send(detail::receiverOf(receiver), startClass, selector,
                                            std::forward<Given>(args)...);
}

// Sends a class message (`[GradientView layerClass]`); implementations take Class self.
template <class Signature, class... Given>
requires std::is_function_v<Signature>
decltype(auto) msgSendClass(Class receiver, SEL selector, Given&&... args) {
    return detail::Message<Signature>::sendToClass(receiver, receiver, selector,
                                                   std::forward<Given>(args)...);
}

template <class R, class... Given>
requires(!std::is_function_v<R>) R msgSendClass(Class receiver, SEL selector, Given&&... args) {
    return msgSendClass<R(detail::DeducedParameter<Given>...)>(receiver, selector,
                                                               std::forward<Given>(args)...);
}

} // namespace objc
