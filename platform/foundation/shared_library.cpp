#include "platform/foundation/shared_library.hpp"

#include <dlfcn.h>

namespace foundation {

void SharedLibrary::Closer::operator()(void* handle) const {
    dlclose(handle);
}

std::optional<SharedLibrary> SharedLibrary::open(const std::filesystem::path& file,
                                                 std::string* why, Binding binding) {
    const int when = binding == Binding::Lazy ? RTLD_LAZY : RTLD_NOW;
    void* handle = dlopen(file.c_str(), when | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle) {
        if (why) {
            const char* reason = dlerror();
            *why = reason ? reason : "unknown error";
        }
        return std::nullopt;
    }
    return SharedLibrary(handle);
}

void* SharedLibrary::symbol(const char* name) const {
    return dlsym(m_handle.get(), name);
}

} // namespace foundation
