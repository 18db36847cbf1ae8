#include "platform/foundation/system_library.hpp"

#include <stdexcept>

namespace foundation {
namespace {

SharedLibrary opened(const std::string& soname, const std::string& purpose) {
    std::string why;
    auto library = SharedLibrary::open(soname, &why, SharedLibrary::Binding::Lazy);
    if (!library)
        throw std::runtime_error(purpose + ": " + why);
    return std::move(*library);
}

} // namespace

SystemLibrary::SystemLibrary(const char* soname, std::string purpose)
    : m_soname(soname), m_purpose(std::move(purpose)), m_library(opened(m_soname, m_purpose)) {}

void SystemLibrary::missing(const char* name) const {
    throw std::runtime_error(m_purpose + ": " + m_soname + " has no " + name);
}

} // namespace foundation
