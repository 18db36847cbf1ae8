// The selector table: method names interned once per process, so selectors compare as
// pointers. Look a selector up once and keep it:
//   static const SEL setMessage = sel_registerName("setMessage:threaded:");
#pragma once

#include "platform/objc/types.hpp"

#include <string_view>

// The one selector of this name, registered on first use.
SEL sel_registerName(std::string_view name);
// Same as sel_registerName: the platform's other spelling.
inline SEL sel_getUid(std::string_view name) {
    return sel_registerName(name);
}
// The selector's name, e.g. "setMessage:threaded:"; "<null selector>" for null.
const char* sel_getName(SEL selector);
