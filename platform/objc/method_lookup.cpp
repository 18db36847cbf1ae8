#include "platform/objc/method_lookup.hpp"

#include "platform/objc/fatal_error.hpp"
#include "platform/objc/runtime_class.hpp"
#include "platform/objc/selector.hpp"

#include <cstdio>

namespace objc::detail {
namespace {

// The method that cls uses for selector: its own or the nearest superclass's; null when none.
// Rows are configured on every scroll, so each class remembers its answers until a method
// table changes anywhere.
const objc_method* findMethod(Class cls, SEL selector, MethodKind kind) {
    MethodTable& table = cls->methods(kind);
    if (std::uint64_t generation = methodGeneration(); table.cacheGeneration != generation) {
        table.cache.clear();
        table.cacheGeneration = generation;
    }
    if (auto cached = table.cache.find(selector); cached != table.cache.end())
        return cached->second;
    const objc_method* method = nullptr;
    for (Class c = cls; c && !method; c = c->superclass) {
        auto& own = c->methods(kind).own;
        if (auto found = own.find(selector); found != own.end())
            method = &found->second;
    }
    table.cache.emplace(selector, method);
    return method;
}

AnyFunction checkedImplementation(const objc_method* method, Class receiverClass,
                                  const void* receiver, Class startClass, SEL selector,
                                  MethodKind kind, const std::type_info& signature) {
    bool classMessage = kind == MethodKind::Class;
    if (!method) {
        char address[32];
        std::snprintf(address, sizeof address, "%p", receiver);
        std::string name =
            methodName(classMessage, class_getName(startClass), sel_getName(selector));
        fail(name + ": unrecognized selector sent to " + (classMessage ? "class " : "instance ") +
             address + " (class " + class_getName(receiverClass) + ")");
    }
    if (*method->implementation.signature != signature)
        fail(methodName(classMessage, class_getName(receiverClass), sel_getName(selector)) +
             " was sent as " + typeName(signature) + " but is implemented as " +
             typeName(*method->implementation.signature) + " (\"" + method->types + "\")");
    return method->implementation.function;
}

} // namespace

AnyFunction implementationForMessage(id receiver, Class startClass, SEL selector,
                                     const std::type_info& signature) {
    Class cls = object_getClass(receiver);
    if (!cls)
        fail("message " + std::string(sel_getName(selector)) +
             " sent to an object that has no class; make objects with objc::make");
    const objc_method* method =
        startClass ? findMethod(startClass, selector, MethodKind::Instance) : nullptr;
    return checkedImplementation(method, cls, receiver, startClass ? startClass : cls, selector,
                                 MethodKind::Instance, signature);
}

AnyFunction implementationForClassMessage(Class receiver, Class startClass, SEL selector,
                                          const std::type_info& signature) {
    const objc_method* method =
        startClass ? findMethod(startClass, selector, MethodKind::Class) : nullptr;
    return checkedImplementation(method, receiver, receiver, startClass ? startClass : receiver,
                                 selector, MethodKind::Class, signature);
}

} // namespace objc::detail

using objc::detail::MethodKind;

bool class_respondsToSelector(Class cls, SEL selector) {
    return class_getInstanceMethod(cls, selector) != nullptr;
}

Method class_getInstanceMethod(Class cls, SEL selector) {
    return cls ? objc::detail::findMethod(cls, selector, MethodKind::Instance) : nullptr;
}

Method class_getClassMethod(Class cls, SEL selector) {
    return cls ? objc::detail::findMethod(cls, selector, MethodKind::Class) : nullptr;
}

SEL method_getName(Method method) {
    return method ? method->name : nullptr;
}

const char* method_getTypeEncoding(Method method) {
    return method ? method->types.c_str() : nullptr;
}
