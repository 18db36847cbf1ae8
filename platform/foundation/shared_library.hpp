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
    // When the library's own calls into other libraries are bound: all at once when it opens
    // (its missing symbols are an error here and now), or at each one's first call, as a linked
    // library's are (much less work for a large library of which a few functions are used).
    enum class Binding { Now, Lazy };

    // The library, or nothing with the loader's reason in `why`.
    static std::optional<SharedLibrary> open(const std::filesystem::path& file, std::string* why,
                                             Binding binding = Binding::Now);

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
