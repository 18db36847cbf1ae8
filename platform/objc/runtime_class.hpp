// Internal to platform/objc: the records behind Class, Method and Ivar, shared by the
// runtime's own sources. Code outside the runtime uses the functions of the public headers.
#pragma once

#include "platform/objc/class_table.hpp"
#include "platform/objc/signature.hpp"

#include <cstdint>
#include <memory>
#include <string>
#include <typeinfo>
#include <unordered_map>
#include <vector>

struct objc_method {
    SEL name{nullptr};
    objc::Implementation implementation;
    std::string types;
};

struct objc_ivar {
    std::string name;
    Class owner{nullptr};
    const std::type_info* type{nullptr};
    void* (*address)(NSObject&){nullptr};
    id (*object)(NSObject&){nullptr}; // null when the variable does not hold an object
};

namespace objc::detail {

enum class MethodKind { Instance, Class };

struct MethodTable {
    std::unordered_map<SEL, objc_method> own;
    // Lookups along the superclass chain (null for "nobody implements it"), valid while
    // cacheGeneration equals the runtime's method generation.
    std::unordered_map<SEL, const objc_method*> cache;
    std::uint64_t cacheGeneration{0};
};

// Bumped by every change to any method table, which empties every cache on its next use.
std::uint64_t methodGeneration();
void methodTablesChanged();

} // namespace objc::detail

struct objc_class {
    std::string name;
    Class superclass{nullptr};
    const std::type_info* cppType{nullptr};
    objc::detail::Factory factory{nullptr};
    objc::detail::MethodTable instanceMethods;
    objc::detail::MethodTable classMethods;
    std::vector<std::unique_ptr<objc_ivar>> ivars;

    objc::detail::MethodTable& methods(objc::detail::MethodKind kind) {
        return kind == objc::detail::MethodKind::Class ? classMethods : instanceMethods;
    }
};
