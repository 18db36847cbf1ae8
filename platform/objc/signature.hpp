// How an implementation carries its C++ signature. Inside the runtime every object argument or
// result is `id` (or Ref<NSObject> when ownership passes), so an implementation has the runtime
// form R(*)(id self, SEL _cmd, Args...) for instance methods and R(*)(Class, SEL, Args...) for
// class methods; callers and member functions may use their own object types (UIView*,
// Ref<UILabel>), which are converted to and from the runtime form with a checked cast.
#pragma once

#include "platform/objc/object.hpp"

#include <concepts>
#include <string>
#include <type_traits>
#include <typeinfo>

namespace objc {

// A complete class derived from NSObject (the runtime's own opaque records are not).
template <class T>
concept Complete = sizeof(T) > 0;
template <class T>
concept ObjectType = Complete<T> && std::derived_from<T, NSObject>;

// The runtime form of a C++ type: T* is id and Ref<T> is Ref<NSObject> for every object type T.
template <class T>
struct RuntimeTypeOf {
    using type = T;
};
template <class T>
requires(ObjectType<T> && !std::is_const_v<T>) struct RuntimeTypeOf<T*> {
    using type = id;
};
template <class T>
requires ObjectType<T>
struct RuntimeTypeOf<Ref<T>> {
    using type = Ref<NSObject>;
};
template <class T>
using RuntimeType = typename RuntimeTypeOf<T>::type;

template <class T>
inline constexpr bool isObjectPointer = std::is_pointer_v<T> && (std::same_as<RuntimeType<T>, id>);
template <class T>
inline constexpr bool isObjectRef = !std::same_as<T, RuntimeType<T>> && !isObjectPointer<T>;

namespace detail {
[[noreturn]] void failObjectCast(id object, const std::type_info& wanted);
} // namespace detail

// A C++ value to its runtime form.
template <class T>
RuntimeType<T> toRuntime(T value) {
    if constexpr (isObjectPointer<T> || isObjectRef<T>)
        return value;
    else
        return static_cast<T>(value);
}

// A runtime value back to the C++ type T; an object of another class stops the program.
template <class T>
T fromRuntime(RuntimeType<T> value) {
    if constexpr (isObjectPointer<T>) {
        if (!value)
            return nullptr;
        if (auto* object = dynamic_cast<T>(value))
            return object;
        detail::failObjectCast(value, typeid(std::remove_pointer_t<T>));
    } else if constexpr (isObjectRef<T>) {
        using Object = std::remove_pointer_t<decltype(std::declval<T>().get())>;
        return T(fromRuntime<Object*>(value.get()));
    } else {
        return static_cast<T>(value);
    }
}

// An implementation in runtime form: R(*)(id or Class, SEL, Args...) with object types as id.
template <class F>
struct ImpTraits {
    static constexpr bool valid = false;
};
template <class R, class Self, class... Args>
requires(std::same_as<Self, id> ||
         std::same_as<Self, Class>) struct ImpTraits<R (*)(Self, SEL, Args...)> {
    static constexpr bool valid =
        std::same_as<R, RuntimeType<R>> && (std::same_as<Args, RuntimeType<Args>> && ...);
    static constexpr bool isClassMethod = std::same_as<Self, Class>;
};
template <class F>
concept RuntimeImp = ImpTraits<F>::valid;

// A method body with the identity of its signature; calls are checked against it.
struct Implementation {
    void (*function)(){nullptr};
    const std::type_info* signature{nullptr};

    template <RuntimeImp F>
    static Implementation of(F function) {
        return {reinterpret_cast<void (*)()>(function), &typeid(F)};
    }
    template <RuntimeImp F>
    F as() const {
        return reinterpret_cast<F>(function);
    }
    explicit operator bool() const { return function != nullptr; }
};

// The type-encoding letter of a C++ type; '?' where the runtime does not check the letter.
template <class T>
constexpr char encodingLetter() {
    using U = std::remove_cv_t<T>;
    if constexpr (std::is_void_v<U>)
        return 'v';
    else if constexpr (std::same_as<U, id> || std::same_as<U, Ref<NSObject>>)
        return '@';
    else if constexpr (std::same_as<U, SEL>)
        return ':';
    else if constexpr (std::same_as<U, Class>)
        return '#';
    else if constexpr (std::same_as<U, bool>)
        return 'B';
    else if constexpr (std::same_as<U, char> || std::same_as<U, signed char>)
        return 'c';
    else if constexpr (std::same_as<U, unsigned char>)
        return 'C';
    else if constexpr (std::same_as<U, short>)
        return 's';
    else if constexpr (std::same_as<U, unsigned short>)
        return 'S';
    else if constexpr (std::same_as<U, int>)
        return 'i';
    else if constexpr (std::same_as<U, unsigned>)
        return 'I';
    else if constexpr (std::same_as<U, long> || std::same_as<U, long long>)
        return 'q';
    else if constexpr (std::same_as<U, unsigned long> || std::same_as<U, unsigned long long>)
        return 'Q';
    else if constexpr (std::same_as<U, float>)
        return 'f';
    else if constexpr (std::same_as<U, double>)
        return 'd';
    else if constexpr (std::same_as<U, const char*> || std::same_as<U, char*>)
        return '*';
    else
        return '?';
}

// The encoding of one type. A type without a letter of its own is written as an untyped
// pointer or an anonymous struct, so that it can never merge with its neighbour ("@" then "?"
// would read as a block).
template <class T>
std::string typeEncodingOf() {
    if constexpr (encodingLetter<T>() != '?')
        return std::string(1, encodingLetter<T>());
    else if constexpr (std::is_pointer_v<std::remove_cv_t<T>>)
        return "^v";
    else
        return "{?=}";
}

// One letter per type of a runtime-form implementation ('?' where any type is accepted): what
// a given type encoding is checked against.
template <RuntimeImp F>
std::string signatureLetters() {
    return []<class R, class Self, class... Args>(R (*)(Self, SEL, Args...)) {
        return std::string{encodingLetter<R>(), encodingLetter<Self>(), ':',
                           encodingLetter<Args>()...};
    }(F{});
}

// The encoding that a runtime-form implementation stands for, e.g. "v@:@q".
template <RuntimeImp F>
std::string encodingOf() {
    return []<class R, class Self, class... Args>(R (*)(Self, SEL, Args...)) {
        return typeEncodingOf<R>() + typeEncodingOf<Self>() + ":" +
               (std::string() + ... + typeEncodingOf<Args>());
    }(F{});
}

} // namespace objc
