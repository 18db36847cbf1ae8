// Changing method tables at run time, as a plug-in does when it is loaded:
//   static void (*previousSetMessage)(id, SEL, id, bool);
//   MSHookMessageEx(cell, sel_registerName("setMessage:threaded:"), &setMessage,
//   &previousSetMessage); class_addMethod(controller, sel_registerName("segmentAction:"),
//   &segmentAction, "v@:@");
// Implementations are in runtime form (object types as id; Class self for class methods), and
// a replacement must have the signature of the method it replaces: another one stops the program.
#pragma once

#include "platform/objc/signature.hpp"

#include <string_view>
#include <type_traits>

namespace objc::detail {

Implementation hookMethod(Class cls, SEL selector, bool classMethod, Implementation replacement);
bool addMethod(Class cls, SEL selector, bool classMethod, Implementation implementation,
               std::string_view types, const std::string& signatureEncoding);

} // namespace objc::detail

// Replaces the implementation of selector in cls and stores the previous one in *previous
// (may be null). When only a superclass implements it, the replacement goes into cls itself
// and *previous is the inherited implementation. Hooks chain: a later hook's previous is the
// earlier hook. When nobody implements the selector nothing is replaced, one line goes to
// standard error and *previous becomes null.
template <objc::RuntimeImp F>
void MSHookMessageEx(Class cls, SEL selector, F replacement, std::type_identity_t<F>* previous) {
    objc::Implementation old = objc::detail::hookMethod(
        cls, selector, objc::ImpTraits<F>::isClassMethod, objc::Implementation::of(replacement));
    if (previous)
        *previous = old ? old.template as<F>() : nullptr;
}

// Adds a method that cls itself does not have and returns true; a method cls already has is
// kept and the result is false. types is the method's type encoding ("v@:@", "v@:@q"); it is
// stored for method_getTypeEncoding and must agree with the signature of implementation.
template <objc::RuntimeImp F>
bool class_addMethod(Class cls, SEL selector, F implementation, std::string_view types) {
    return objc::detail::addMethod(cls, selector, objc::ImpTraits<F>::isClassMethod,
                                   objc::Implementation::of(implementation), types,
                                   objc::signatureLetters<F>());
}
