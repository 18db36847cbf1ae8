// The runtime's basic names, as the platform spells them: id, SEL, Class, Ivar, Method, BOOL,
// NSInteger, nil. Include platform/objc/objc.hpp for the whole runtime; this header only
// declares the vocabulary that the other runtime headers share.
#pragma once

#include <cstddef>

class NSObject;
struct objc_class;
struct objc_selector;
struct objc_ivar;
struct objc_method;

using id = NSObject*;              // a borrowed object pointer, as methods receive their arguments
using Class = objc_class*;         // a runtime class; lives for the whole process
using SEL = const objc_selector*;  // an interned selector: equal names give equal pointers
using Ivar = const objc_ivar*;     // an instance variable registered by its owning class
using Method = const objc_method*; // one entry of a class's method table

using BOOL = bool;
using NSInteger = long;           // 64-bit, encoded "q", as on the 64-bit platform
using NSUInteger = unsigned long; // encoded "Q"

inline constexpr std::nullptr_t nil = nullptr;
inline constexpr std::nullptr_t Nil = nullptr;
inline constexpr bool YES = true;
inline constexpr bool NO = false;

static_assert(sizeof(long) == 8, "the runtime assumes an LP64 platform");
