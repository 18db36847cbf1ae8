// Internal to platform/objc: how the runtime stops on a programming error (a message with the
// wrong signature, an unknown selector, a wrong ivar type): one line on standard error, then
// abort, so the mistake is found at its first run.
#pragma once

#include <string>
#include <typeinfo>

namespace objc::detail {

[[noreturn]] void fail(const std::string& message);
// A readable C++ type name with the runtime's own names: "void (*)(id, SEL, long)".
std::string typeName(const std::type_info& type);
// "-[UIView layoutSubviews]" or "+[UIView layerClass]".
std::string methodName(bool classMethod, const char* className, const char* selectorName);

} // namespace objc::detail
