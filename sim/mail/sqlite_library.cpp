#include "sim/mail/sqlite_library.hpp"

#include "platform/foundation/system_library.hpp"

namespace tintbox::sim::mail::sqlite {

SqliteLibrary loadSqliteLibrary() {
    // The soname the program was linked against before, and that SQLite's package installs.
    const foundation::SystemLibrary sqlite("libsqlite3.so.0", "cannot open the mail cache");
    SqliteLibrary library;
#define SIM_MAIL_FROM_SQLITE(name) sqlite.bind(library.name, #name);
    SIM_MAIL_SQLITE_FUNCTIONS(SIM_MAIL_FROM_SQLITE)
#undef SIM_MAIL_FROM_SQLITE
    return library;
}

} // namespace tintbox::sim::mail::sqlite
