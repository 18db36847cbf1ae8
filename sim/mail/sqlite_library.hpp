// libsqlite3, opened the first time the mail cache is used rather than linked: commands that
// list no mail never touch the cache, and SQLite binds all of its symbols when it is loaded.
// Private to sim/mail's SQLite layer.
//   sqliteLibrary().sqlite3_step(statement);
#pragma once

#include <sqlite3.h>

// The functions the layer calls. A function missing here fails to compile at its call, so the
// list cannot fall behind the code.
#define SIM_MAIL_SQLITE_FUNCTIONS(F)                                                               \
    F(sqlite3_bind_double)                                                                         \
    F(sqlite3_bind_int64)                                                                          \
    F(sqlite3_bind_null)                                                                           \
    F(sqlite3_bind_parameter_index)                                                                \
    F(sqlite3_bind_text64)                                                                         \
    F(sqlite3_busy_timeout)                                                                        \
    F(sqlite3_close)                                                                               \
    F(sqlite3_close_v2)                                                                            \
    F(sqlite3_column_bytes)                                                                        \
    F(sqlite3_column_double)                                                                       \
    F(sqlite3_column_int64)                                                                        \
    F(sqlite3_column_text)                                                                         \
    F(sqlite3_column_type)                                                                         \
    F(sqlite3_errmsg)                                                                              \
    F(sqlite3_errstr)                                                                              \
    F(sqlite3_exec)                                                                                \
    F(sqlite3_extended_result_codes)                                                               \
    F(sqlite3_finalize)                                                                            \
    F(sqlite3_free)                                                                                \
    F(sqlite3_open_v2)                                                                             \
    F(sqlite3_prepare_v3)                                                                          \
    F(sqlite3_reset)                                                                               \
    F(sqlite3_sql)                                                                                 \
    F(sqlite3_step)

namespace tintbox::sim::mail::sqlite {

struct SqliteLibrary {
#define SIM_MAIL_FUNCTION_POINTER(name) decltype(&::name) name{nullptr};
    SIM_MAIL_SQLITE_FUNCTIONS(SIM_MAIL_FUNCTION_POINTER)
#undef SIM_MAIL_FUNCTION_POINTER
};

// Opens the library; throws std::runtime_error naming the library or function when one cannot
// be had. Call sqliteLibrary() instead.
SqliteLibrary loadSqliteLibrary();

// The library, opened on the first call of the process. Inline, as every step of every
// statement goes through it.
inline const SqliteLibrary& sqliteLibrary() {
    static const SqliteLibrary library = loadSqliteLibrary();
    return library;
}

} // namespace tintbox::sim::mail::sqlite
