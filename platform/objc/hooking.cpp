#include "platform/objc/hooking.hpp"

#include "platform/objc/fatal_error.hpp"
#include "platform/objc/runtime_class.hpp"
#include "platform/objc/selector.hpp"
#include "platform/objc/type_encoding.hpp"

#include <cstdio>

namespace objc::detail {
namespace {

MethodKind kindOf(bool classMethod) {
    return classMethod ? MethodKind::Class : MethodKind::Instance;
}

const objc_method* inheritedMethod(Class cls, SEL selector, MethodKind kind) {
    for (Class c = cls; c; c = c->superclass)
        if (auto found = c->methods(kind).own.find(selector); found != c->methods(kind).own.end())
            return &found->second;
    return nullptr;
}

} // namespace

Implementation hookMethod(Class cls, SEL selector, bool classMethod, Implementation replacement) {
    const objc_method* current =
        cls ? inheritedMethod(cls, selector, kindOf(classMethod)) : nullptr;
    std::string name = methodName(classMethod, class_getName(cls), sel_getName(selector));
    if (!current) {
        std::fprintf(stderr, "MSHookMessageEx: %s is not implemented; nothing was replaced\n",
                     name.c_str());
        return {};
    }
    if (*current->implementation.signature != *replacement.signature)
        fail("cannot replace " + name + ", implemented as " +
             typeName(*current->implementation.signature) + ", with " +
             typeName(*replacement.signature));
    Implementation previous = current->implementation;
    auto& own = cls->methods(kindOf(classMethod)).own;
    if (auto found = own.find(selector); found != own.end())
        found->second.implementation = replacement;
    else
        own.emplace(selector, objc_method{selector, replacement, current->types});
    methodTablesChanged();
    return previous;
}

bool addMethod(Class cls, SEL selector, bool classMethod, Implementation implementation,
               std::string_view types, const std::string& signatureEncoding) {
    if (!cls || !selector)
        return false;
    if (auto problem = typeEncodingMismatch(types, signatureEncoding))
        fail("type encoding \"" + std::string(types) + "\" of " +
             methodName(classMethod, class_getName(cls), sel_getName(selector)) + " does not fit " +
             typeName(*implementation.signature) + ": " + *problem);
    auto& own = cls->methods(kindOf(classMethod)).own;
    if (own.contains(selector))
        return false;
    own.emplace(selector, objc_method{selector, implementation, std::string(types)});
    methodTablesChanged();
    return true;
}

} // namespace objc::detail
