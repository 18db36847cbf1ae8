#include "platform/objc/fatal_error.hpp"

#include <cstdio>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>

namespace objc::detail {
namespace {

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

void fail(const std::string& message) {
    std::fprintf(stderr, "objc: %s\n", message.c_str());
    std::fflush(stderr);
    std::abort();
}

std::string typeName(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), &std::free);
    std::string name = status == 0 && demangled ? demangled.get() : type.name();
    replaceAll(name,
               "std::__cxx11::basic_string<char, std::char_traits<char>, std::allocator<char> >",
               "std::string");
    replaceAll(name, "objc_selector const*", "SEL");
    replaceAll(name, "objc_class*", "Class");
    replaceAll(name, "NSObject*", "id");
    return name;
}

std::string methodName(bool classMethod, const char* className, const char* selectorName) {
    return std::string(classMethod ? "+[" : "-[") + className + " " + selectorName + "]";
}

} // namespace objc::detail
