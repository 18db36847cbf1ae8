// The object runtime of the stand-in platform: classes by name, selectors, method tables,
// hooking, instance variables by name, and the tweak loader. Include this one header.
//
// Objects derive from NSObject, are made by objc::make<T>(...) and held by objc::Ref<T> or
// objc::WeakRef<T>; `id` (NSObject*) is a borrowed pointer, as methods receive their arguments.
// A class's C++ type is tied to its runtime class, so a class named in data can be made with
// class_createInstance(objc_getClass(name)). Methods are reached through objc::msgSend so that
// a plug-in's replacement runs wherever the original would. Programming errors (another
// signature, an unknown selector, a wrong ivar type) stop the program with one line naming
// class, selector and types. Everything runs on the main thread.
//
//   class Greeter : public NSObject {
//   public:
//       std::string greeting(long times) const { return std::string(times, '!'); }
//   };
//   objc::ClassBuilder<Greeter>("Greeter").method<&Greeter::greeting>("greeting:");
//
//   static SEL greetingSel = sel_registerName("greeting:");
//   auto greeter = class_createInstance(objc_getClass("Greeter"));         // or make<Greeter>()
//   std::string s = objc::msgSend<std::string(long)>(greeter, greetingSel, 2L);       // "!!"
//
//   // In a plug-in: runtime-form functions (objects as id), calling the previous version.
//   static std::string (*previousGreeting)(id, SEL, long);
//   std::string loudGreeting(id self, SEL cmd, long times) {
//       return "Hey" + previousGreeting(self, cmd, times);
//   }
//   MSHookMessageEx(objc_getClass("Greeter"), greetingSel, &loudGreeting, &previousGreeting);
//   class_addMethod(objc_getClass("Greeter"), sel_registerName("wave:"),
//                   +[](id, SEL, id sender) { ... }, "v@:@");
//
// Signatures: implementations take `id self` (or `Class self` for class methods) and `SEL _cmd`,
// then the arguments, with every object as `id`; an object result is `id` when the receiver
// keeps it alive (a getter) and objc::Ref<NSObject> when the caller gets a new object. Callers
// and C++ member functions may name their own object types (UIView*, Ref<UILabel>): msgSend
// and ClassBuilder::method convert them with a checked cast. Integers are exact: NSInteger
// (long, "q") is not int ("i"). ClassBuilder<T, T>("Name") declares a runtime-only subclass
// whose objects are Ts.
//
// One runtime per process: tintbox_objc is a shared library, and the rest of the platform, the
// apps and the plug-ins link it, so the app and every plug-in it loads see one class table and
// one selector table. A plug-in must never carry a static copy of the runtime (its classes and
// hooks would land in a table the app never reads).
#pragma once

#include "platform/objc/autorelease_pool.hpp"
#include "platform/objc/class_builder.hpp"
#include "platform/objc/class_table.hpp"
#include "platform/objc/hooking.hpp"
#include "platform/objc/ivar.hpp"
#include "platform/objc/method_lookup.hpp"
#include "platform/objc/object.hpp"
#include "platform/objc/selector.hpp"
#include "platform/objc/signature.hpp"
#include "platform/objc/tweak_loader.hpp"
#include "platform/objc/types.hpp"
