// A thin RAII layer over libsqlite3 for the mail cache: a Database owns the connection, a
// Statement one prepared statement (prepared once, reset and reused, parameters bound by
// name), a Transaction a BEGIN that rolls back unless committed. Failures throw SqliteError
// carrying SQLite's result code and message.
//   Database db(path);  Statement find(db, "SELECT size FROM t WHERE name = :name");
//   find.bind(":name", "x");  while (find.step()) use(find.integer(0));
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

struct sqlite3;
struct sqlite3_stmt;

namespace tintbox::sim::mail::sqlite {

class SqliteError : public std::runtime_error {
public:
    SqliteError(int code, const std::string& message) : std::runtime_error(message), m_code(code) {}
    // SQLite's primary result code (SQLITE_CORRUPT, SQLITE_NOTADB, SQLITE_BUSY, ...).
    int code() const { return m_code & 0xFF; }

private:
    int m_code;
};

class Database {
public:
    // Opens (creating) the file; ":memory:" for a private in-memory database.
    explicit Database(const std::filesystem::path& file);
    ~Database();
    Database(Database&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    Database& operator=(Database&&) = delete;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Runs statements that return no rows.
    void execute(std::string_view sql);
    // How long a statement waits for another connection's lock before SQLITE_BUSY.
    void setBusyTimeout(int milliseconds);
    sqlite3* handle() const { return m_handle; }

private:
    sqlite3* m_handle{nullptr};
};

class Statement {
public:
    Statement(Database& database, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Parameters by name (":name"); reset() keeps them for the next run.
    Statement& bind(const char* name, std::string_view text);
    Statement& bind(const char* name, const std::string& text) {
        return bind(name, std::string_view(text));
    }
    Statement& bind(const char* name, std::int64_t value);
    Statement& bind(const char* name, double value);
    Statement& bind(const char* name, const std::optional<std::string>& text);
    Statement& bind(const char* name, std::optional<double> value);
    // Where a named parameter is, for a loop that binds many by position; throws for none.
    int parameterPosition(const char* name) const { return index(name); }
    // nullopt binds NULL.
    Statement& bindAt(int position, std::optional<std::string_view> text);
    // The next row (true) or the end (false); throws on failure.
    bool step();
    // Runs a statement that returns no rows, then resets it.
    void run();
    // Ready to run again; the bound values stay.
    void reset();

    bool isNull(int column) const;
    std::int64_t integer(int column) const;
    double real(int column) const;
    std::string text(int column) const;
    // The text of the current row's column, valid until the next step or reset.
    std::string_view textView(int column) const;
    std::optional<std::string> optionalText(int column) const;
    std::optional<double> optionalReal(int column) const;

private:
    int index(const char* name) const;

    sqlite3_stmt* m_handle{nullptr};
    sqlite3* m_database{nullptr};
};

// BEGIN IMMEDIATE (the write lock at once, so a writer waits at the start, never midway);
// rolled back on destruction unless commit() ran.
class Transaction {
public:
    explicit Transaction(Database& database);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database& m_database;
    bool m_open{true};
};

} // namespace tintbox::sim::mail::sqlite
