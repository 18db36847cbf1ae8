#include "sim/mail/sqlite.hpp"

#include "sim/mail/sqlite_library.hpp"

#include <string>

namespace tintbox::sim::mail::sqlite {
namespace {

[[noreturn]] void fail(sqlite3* database, int code, std::string_view what) {
    std::string message(what);
    message += ": ";
    message +=
        database ? sqliteLibrary().sqlite3_errmsg(database) : sqliteLibrary().sqlite3_errstr(code);
    throw SqliteError(code, message);
}

} // namespace

Database::Database(const std::filesystem::path& file) {
    const int code = sqliteLibrary().sqlite3_open_v2(
        file.c_str(), &m_handle, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
        nullptr);
    if (code != SQLITE_OK) {
        const std::string message = m_handle ? sqliteLibrary().sqlite3_errmsg(m_handle)
                                             : sqliteLibrary().sqlite3_errstr(code);
        sqliteLibrary().sqlite3_close(m_handle);
        m_handle = nullptr;
        throw SqliteError(code, file.string() + ": " + message);
    }
    sqliteLibrary().sqlite3_extended_result_codes(m_handle, 1);
}

Database::~Database() {
    // Statements are owned by their holders, which outlive no Database they use.
    sqliteLibrary().sqlite3_close_v2(m_handle);
}

void Database::execute(std::string_view sql) {
    const std::string text(sql);
    char* error = nullptr;
    const int code = sqliteLibrary().sqlite3_exec(m_handle, text.c_str(), nullptr, nullptr, &error);
    if (code != SQLITE_OK) {
        const std::string message = error ? error : sqliteLibrary().sqlite3_errstr(code);
        sqliteLibrary().sqlite3_free(error);
        throw SqliteError(code, message);
    }
}

void Database::setBusyTimeout(int milliseconds) {
    sqliteLibrary().sqlite3_busy_timeout(m_handle, milliseconds);
}

Statement::Statement(Database& database, std::string_view sql) : m_database(database.handle()) {
    const int code =
        sqliteLibrary().sqlite3_prepare_v3(m_database, sql.data(), static_cast<int>(sql.size()),
                                           SQLITE_PREPARE_PERSISTENT, &m_handle, nullptr);
    if (code != SQLITE_OK)
        fail(m_database, code, "cannot prepare a cache query");
}

Statement::~Statement() {
    sqliteLibrary().sqlite3_finalize(m_handle);
}

int Statement::index(const char* name) const {
    const int found = sqliteLibrary().sqlite3_bind_parameter_index(m_handle, name);
    if (found == 0)
        throw std::logic_error(std::string("no parameter ") + name + " in " +
                               sqliteLibrary().sqlite3_sql(m_handle));
    return found;
}

Statement& Statement::bind(const char* name, std::string_view text) {
    return bindAt(index(name), text);
}

Statement& Statement::bindAt(int position, std::optional<std::string_view> text) {
    const int code =
        text ? sqliteLibrary().sqlite3_bind_text64(m_handle, position, text->data(), text->size(),
                                                   SQLITE_TRANSIENT, SQLITE_UTF8)
             : sqliteLibrary().sqlite3_bind_null(m_handle, position);
    if (code != SQLITE_OK)
        fail(m_database, code, "cannot bind a cache value");
    return *this;
}

Statement& Statement::bind(const char* name, std::int64_t value) {
    const int code = sqliteLibrary().sqlite3_bind_int64(m_handle, index(name), value);
    if (code != SQLITE_OK)
        fail(m_database, code, "cannot bind a cache value");
    return *this;
}

Statement& Statement::bind(const char* name, double value) {
    const int code = sqliteLibrary().sqlite3_bind_double(m_handle, index(name), value);
    if (code != SQLITE_OK)
        fail(m_database, code, "cannot bind a cache value");
    return *this;
}

Statement& Statement::bind(const char* name, const std::optional<std::string>& text) {
    if (text)
        return bind(name, std::string_view(*text));
    sqliteLibrary().sqlite3_bind_null(m_handle, index(name));
    return *this;
}

Statement& Statement::bind(const char* name, std::optional<double> value) {
    if (value)
        return bind(name, *value);
    sqliteLibrary().sqlite3_bind_null(m_handle, index(name));
    return *this;
}

bool Statement::step() {
    const int code = sqliteLibrary().sqlite3_step(m_handle);
    if (code == SQLITE_ROW)
        return true;
    if (code == SQLITE_DONE)
        return false;
    sqliteLibrary().sqlite3_reset(m_handle);
    fail(m_database, code, "cache query failed");
}

void Statement::run() {
    while (step()) {
    }
    reset();
}

void Statement::reset() {
    sqliteLibrary().sqlite3_reset(m_handle);
}

bool Statement::isNull(int column) const {
    return sqliteLibrary().sqlite3_column_type(m_handle, column) == SQLITE_NULL;
}

std::int64_t Statement::integer(int column) const {
    return sqliteLibrary().sqlite3_column_int64(m_handle, column);
}

double Statement::real(int column) const {
    return sqliteLibrary().sqlite3_column_double(m_handle, column);
}

std::string Statement::text(int column) const {
    const auto* bytes =
        reinterpret_cast<const char*>(sqliteLibrary().sqlite3_column_text(m_handle, column));
    return bytes ? std::string(bytes, static_cast<std::size_t>(
                                          sqliteLibrary().sqlite3_column_bytes(m_handle, column)))
                 : std::string();
}

std::string_view Statement::textView(int column) const {
    const auto* bytes =
        reinterpret_cast<const char*>(sqliteLibrary().sqlite3_column_text(m_handle, column));
    return bytes ? std::string_view(bytes,
                                    static_cast<std::size_t>(
                                        sqliteLibrary().sqlite3_column_bytes(m_handle, column)))
                 : std::string_view();
}

std::optional<std::string> Statement::optionalText(int column) const {
    if (isNull(column))
        return std::nullopt;
    return text(column);
}

std::optional<double> Statement::optionalReal(int column) const {
    if (isNull(column))
        return std::nullopt;
    return real(column);
}

Transaction::Transaction(Database& database) : m_database(database) {
    m_database.execute("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    if (!m_open)
        return;
    try {
        m_database.execute("ROLLBACK");
    } catch (const SqliteError&) {
        // A failed statement may have ended the transaction already.
    }
}

void Transaction::commit() {
    m_database.execute("COMMIT");
    m_open = false;
}

} // namespace tintbox::sim::mail::sqlite
