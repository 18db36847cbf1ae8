// Declaring a runtime class and its methods in a few lines:
//   objc::ClassBuilder<GradientView, UIView>("GradientView")
//       .method<&GradientView::layoutSubviews>("layoutSubviews")
//       .classMethod("layerClass", +[](Class, SEL) { return objc_getClass("CAGradientLayer"); })
//       .ivar<&GradientView::m_colors>("_colors");
// T is tied to the class (make<T> gives T's objects this class); Super must be registered.
// ClassBuilder<T, T>("Name") declares a runtime-only subclass whose objects are Ts.
#pragma once

#include "platform/objc/class_table.hpp"
#include "platform/objc/hooking.hpp"
#include "platform/objc/ivar.hpp"
#include "platform/objc/selector.hpp"
#include "platform/objc/signature.hpp"

#include <string_view>
#include <utility>

namespace objc {
namespace detail {

template <class M>
struct MemberFunctionTraits;
template <class O, class R, class... A>
struct MemberFunctionTraits<R (O::*)(A...)> {
    using Owner = O;
    using Signature = R(A...);
};
template <class O, class R, class... A>
struct MemberFunctionTraits<R (O::*)(A...) const> : MemberFunctionTraits<R (O::*)(A...)> {};
template <class O, class R, class... A>
struct MemberFunctionTraits<R (O::*)(A...) noexcept> : MemberFunctionTraits<R (O::*)(A...)> {};
template <class O, class R, class... A>
struct MemberFunctionTraits<R (O::*)(A...) const noexcept> : MemberFunctionTraits<R (O::*)(A...)> {
};

// An argument of the runtime-form call as the member function takes it: an object is cast
// back to its class; any other value is handed on as it is, without a copy in between.
template <class T>
decltype(auto) memberArgument(RuntimeType<T>& value) {
    if constexpr (std::same_as<T, RuntimeType<T>>)
        return std::forward<T>(value);
    else
        return fromRuntime<T>(std::move(value));
}

// The runtime-form implementation that calls a member function on the receiver.
template <auto Member, class Signature = typename MemberFunctionTraits<decltype(Member)>::Signature>
struct MemberMethod;

template <auto Member, class R, class... Args>
struct MemberMethod<Member, R(Args...)> {
    using Owner = typename MemberFunctionTraits<decltype(Member)>::Owner;

    static RuntimeType<R> call(id self, SEL, RuntimeType<Args>... args) {
        Owner& object = static_cast<Owner&>(*self);
        if constexpr (std::is_void_v<R>)
            (object.*Member)(memberArgument<Args>(args)...);
        else if constexpr (std::same_as<R, RuntimeType<R>>)
            return (object.*Member)(memberArgument<Args>(args)...); // a value: not copied
        else
            return toRuntime<R>((object.*Member)(memberArgument<Args>(args)...));
    }
};

} // namespace detail

template <class T, class Super = NSObject>
class ClassBuilder {
    static_assert(std::derived_from<T, Super>, "a class's C++ type derives from its superclass's");

public:
    // Registers the class (or finds it when registered before with the same type and superclass).
    explicit ClassBuilder(std::string_view name)
        : m_class(
              detail::registerClass(name, classOf<Super>(), typeid(T), detail::factoryFor<T>())) {}

    // An instance method that calls the member function Member of T (or of a base of T).
    // types defaults to the encoding of its signature.
    template <auto Member>
    ClassBuilder& method(std::string_view selector, std::string_view types = {}) {
        using Method = detail::MemberMethod<Member>;
        static_assert(std::derived_from<T, typename Method::Owner>);
        return add(selector, &Method::call, types);
    }

    // An instance method given as a function R(*)(id self, SEL _cmd, Args...).
    template <RuntimeImp F>
    requires(!ImpTraits<F>::isClassMethod) ClassBuilder& method(std::string_view selector,
                                                                F function,
                                                                std::string_view types = {}) {
        return add(selector, function, types);
    }

    // A class method given as a function R(*)(Class self, SEL _cmd, Args...).
    template <RuntimeImp F>
    requires ImpTraits<F>::isClassMethod ClassBuilder&
    classMethod(std::string_view selector, F function, std::string_view types = {}) {
        return add(selector, function, types);
    }

    // The data member Member of T (or of a base of T) as the instance variable name.
    template <auto Member>
    ClassBuilder& ivar(std::string_view name) {
        static_assert(std::derived_from<T, typename detail::MemberIvar<Member>::Owner>);
        detail::addMemberIvar<Member>(m_class, name);
        return *this;
    }

    Class cls() const { return m_class; }
    operator Class() const { return m_class; }

private:
    template <RuntimeImp F>
    ClassBuilder& add(std::string_view selector, F function, std::string_view types) {
        std::string encoding = types.empty() ? encodingOf<F>() : std::string(types);
        class_addMethod(m_class, sel_registerName(selector), function, encoding);
        return *this;
    }

    Class m_class{nullptr};
};

} // namespace objc
