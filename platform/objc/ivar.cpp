#include "platform/objc/ivar.hpp"

#include "platform/objc/fatal_error.hpp"
#include "platform/objc/runtime_class.hpp"

namespace objc::detail {
namespace {

void checkOwner(id object, Ivar ivar) {
    if (!ivar)
        fail("no instance variable given for an object of class " +
             std::string(object_getClassName(object)));
    if (!object)
        fail("instance variable " + ivar->name + " read from nil");
    if (!object->isKindOfClass(ivar->owner))
        fail("an object of class " + std::string(object_getClassName(object)) +
             " has no instance variable " + ivar->name + " (it belongs to " + ivar->owner->name +
             ")");
}

} // namespace

Ivar addIvar(Class cls, std::string_view name, const std::type_info& type, IvarAddress address,
             IvarObject object) {
    if (!cls)
        fail("instance variable " + std::string(name) + " added to a nil class");
    for (const auto& existing : cls->ivars) {
        if (existing->name != name)
            continue;
        if (*existing->type != type)
            fail("instance variable " + std::string(name) + " of " + cls->name +
                 " is already registered as " + typeName(*existing->type));
        return existing.get();
    }
    cls->ivars.push_back(
        std::make_unique<objc_ivar>(objc_ivar{std::string(name), cls, &type, address, object}));
    return cls->ivars.back().get();
}

void* ivarAddress(id object, Ivar ivar, const std::type_info& type) {
    checkOwner(object, ivar);
    if (*ivar->type != type)
        fail("instance variable " + ivar->name + " of " + ivar->owner->name + " is " +
             typeName(*ivar->type) + ", read as " + typeName(type));
    return ivar->address(*object);
}

} // namespace objc::detail

Ivar class_getInstanceVariable(Class cls, std::string_view name) {
    for (Class c = cls; c; c = c->superclass)
        for (const auto& ivar : c->ivars)
            if (ivar->name == name)
                return ivar.get();
    return nullptr;
}

const char* ivar_getName(Ivar ivar) {
    return ivar ? ivar->name.c_str() : nullptr;
}

id object_getIvar(id object, Ivar ivar) {
    if (!object)
        return nil;
    objc::detail::checkOwner(object, ivar);
    if (!ivar->object)
        objc::detail::fail("instance variable " + ivar->name + " of " + ivar->owner->name +
                           " holds " + objc::detail::typeName(*ivar->type) +
                           ", not an object; read it with object_getIvar<T>");
    return ivar->object(*object);
}
