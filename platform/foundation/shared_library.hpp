// A shared object opened at run time (dlopen), closed with its owner. It is opened with
// RTLD_NODELETE: code it registered elsewhere (handlers, threads, exit hooks) stays mapped even
// after the owner is gone, so closing it is always safe.
//   std::string why;
//   auto library = foundation::SharedLibrary::open(file, &why);
//   auto* entry = library ? library->function<int(int)>("entry_name") : nullptr;
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace foundation {

class SharedLibrary {
public:
    // The library, or nothing with the loader's reason in `why`.
    static std::optional<SharedLibrary> open(const std::filesystem::path& file, std::string* why);

    // The exported function of that name and type, or nullptr when there is none.
    template <typename Function>
    Function* function(const char* name) const {
        return reinterpret_cast<Function*>(symbol(name));
    }

private:
    struct Closer {
        void operator()(void* handle) const;
    };
    explicit SharedLibrary(void* handle) : m_handle(handle) {}
    void* symbol(const char* name) const;

    std::unique_ptr<void, Closer> m_handle;
};

} // namespace foundation
