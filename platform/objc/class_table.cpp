#include "platform/objc/class_table.hpp"

#include "platform/objc/fatal_error.hpp"
#include "platform/objc/runtime_class.hpp"
#include "platform/objc/selector.hpp"

#include <map>
#include <typeindex>

namespace objc::detail {
namespace {

// Methods every object has, as the root class of the platform provides them.
bool isKindOfClassMethod(id self, SEL, Class cls) {
    return self->isKindOfClass(cls);
}
bool isMemberOfClassMethod(id self, SEL, Class cls) {
    return self->isMemberOfClass(cls);
}
bool respondsToSelectorMethod(id self, SEL, SEL selector) {
    return self->respondsToSelector(selector);
}
Class classMethod(id self, SEL) {
    return object_getClass(self);
}
Class classClassMethod(Class self, SEL) {
    return self;
}

template <RuntimeImp F>
void addRootMethod(MethodTable& table, const char* name, F function) {
    SEL selector = sel_registerName(name);
    table.own.emplace(selector,
                      objc_method{selector, Implementation::of(function), encodingOf<F>()});
}

class ClassTable {
public:
    static ClassTable& instance() {
        static ClassTable table;
        return table;
    }

    Class find(std::string_view name) const {
        auto found = m_byName.find(name);
        return found == m_byName.end() ? nullptr : found->second.get();
    }

    Class findByType(const std::type_info& type) const {
        auto found = m_byType.find(type);
        return found == m_byType.end() ? nullptr : found->second;
    }

    Class add(std::string_view name, Class superclass, const std::type_info& cppType,
              Factory factory) {
        if (Class existing = find(name)) {
            if (*existing->cppType == cppType && existing->superclass == superclass)
                return existing;
            fail("class " + std::string(name) + " is already registered for " +
                 typeName(*existing->cppType) + " with superclass " +
                 class_getName(existing->superclass) + "; cannot register it for " +
                 typeName(cppType) + " with superclass " + class_getName(superclass));
        }
        if (!superclass)
            fail("class " + std::string(name) + " needs a superclass");
        auto record = std::make_unique<objc_class>();
        record->name = name;
        record->superclass = superclass;
        record->cppType = &cppType;
        record->factory = factory;
        Class cls = record.get();
        m_byName.emplace(record->name, std::move(record));
        m_registrationOrder.push_back(cls);
        // make<T> gives objects the class that brought T in; a runtime-only subclass (same C++
        // type as its superclass) never takes that over.
        if (*superclass->cppType != cppType)
            m_byType.emplace(cppType, cls);
        methodTablesChanged();
        return cls;
    }

    std::size_t registrationCount() const { return m_registrationOrder.size(); }
    std::vector<Class> registeredSince(std::size_t mark) const {
        if (mark >= m_registrationOrder.size())
            return {};
        return {m_registrationOrder.begin() + static_cast<std::ptrdiff_t>(mark),
                m_registrationOrder.end()};
    }

    std::uint64_t generation() const { return m_generation; }
    void bumpGeneration() { ++m_generation; }

private:
    ClassTable() {
        auto root = std::make_unique<objc_class>();
        root->name = "NSObject";
        root->cppType = &typeid(NSObject);
        root->factory = factoryFor<NSObject>();
        addRootMethod(root->instanceMethods, "isKindOfClass:", &isKindOfClassMethod);
        addRootMethod(root->instanceMethods, "isMemberOfClass:", &isMemberOfClassMethod);
        addRootMethod(root->instanceMethods, "respondsToSelector:", &respondsToSelectorMethod);
        addRootMethod(root->instanceMethods, "class", &classMethod);
        addRootMethod(root->classMethods, "class", &classClassMethod);
        m_byType.emplace(typeid(NSObject), root.get());
        m_byName.emplace(root->name, std::move(root));
    }

    std::map<std::string, std::unique_ptr<objc_class>, std::less<>> m_byName;
    std::unordered_map<std::type_index, Class> m_byType;
    std::vector<Class> m_registrationOrder; // every class but the root, oldest first
    std::uint64_t m_generation{1};
};

} // namespace

std::uint64_t methodGeneration() {
    return ClassTable::instance().generation();
}
void methodTablesChanged() {
    ClassTable::instance().bumpGeneration();
}

Class registerClass(std::string_view name, Class superclass, const std::type_info& cppType,
                    Factory factory) {
    return ClassTable::instance().add(name, superclass, cppType, factory);
}

Class classForType(const std::type_info& cppType) {
    return ClassTable::instance().findByType(cppType);
}

void failUnregisteredType(const std::type_info& cppType) {
    fail("C++ type " + typeName(cppType) +
         " has no runtime class; register it with objc::ClassBuilder before making objects");
}

void failObjectCast(id object, const std::type_info& wanted) {
    fail("an object of class " + std::string(object_getClassName(object)) + " stands where " +
         typeName(wanted) + " is required");
}

} // namespace objc::detail

std::size_t objc::classRegistrationMark() {
    return objc::detail::ClassTable::instance().registrationCount();
}

std::vector<Class> objc::classesRegisteredSince(std::size_t mark) {
    return objc::detail::ClassTable::instance().registeredSince(mark);
}

Class objc_getClass(std::string_view name) {
    return objc::detail::ClassTable::instance().find(name);
}

const char* class_getName(Class cls) {
    return cls ? cls->name.c_str() : "nil";
}

Class class_getSuperclass(Class cls) {
    return cls ? cls->superclass : nullptr;
}

bool class_isSubclassOfClass(Class cls, Class ancestor) {
    for (Class c = cls; c && ancestor; c = c->superclass)
        if (c == ancestor)
            return true;
    return false;
}

objc::Ref<NSObject> class_createInstance(Class cls) {
    if (!cls)
        return nullptr;
    if (!cls->factory)
        objc::detail::fail("class " + cls->name + " cannot be made by name: " +
                           objc::detail::typeName(*cls->cppType) + " has no default constructor");
    return cls->factory(cls);
}
