// A system library opened by its soname when first needed rather than linked, with its functions
// looked up into a table of pointers: for libraries most runs never call, whose loading and
// relocation every start would otherwise pay. It is opened with lazy binding and RTLD_NODELETE,
// so the functions stay valid after the SystemLibrary is gone.
//   const foundation::SystemLibrary cairo("libcairo.so.2", "cannot draw");
//   cairo.bind(table.cairo_create, "cairo_create");
#pragma once

#include "platform/foundation/shared_library.hpp"

#include <string>

namespace foundation {

class SystemLibrary {
public:
    // Throws std::runtime_error "`purpose`: the loader's reason" when it cannot be opened.
    SystemLibrary(const char* soname, std::string purpose);

    // Points `slot` at the function `name`; throws std::runtime_error "`purpose`: SONAME has no
    // NAME" when the library has none.
    template <typename Function>
    void bind(Function*& slot, const char* name) const {
        slot = m_library.function<Function>(name);
        if (!slot)
            missing(name);
    }

private:
    [[noreturn]] void missing(const char* name) const;

    std::string m_soname;
    std::string m_purpose;
    SharedLibrary m_library;
};

} // namespace foundation
