#include "sim/mail/header_cache.hpp"

#include "sim/mail/maildir.hpp"
#include "sim/mail/sqlite.hpp"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <sqlite3.h>

namespace tintbox::sim::mail {
namespace {

namespace fs = std::filesystem;
using sqlite::Database;
using sqlite::SqliteError;
using sqlite::Statement;
using sqlite::Transaction;

// The schema this build reads and writes; another version is set aside, never migrated (the
// cache is rebuilt from the mail). Raised also when the reader reads headers differently, so that
// summaries an older reader made do not outlive it.
constexpr int kSchemaVersion = 3;
constexpr std::size_t kRowsPerTransaction = 2000;
constexpr int kBusyTimeoutMilliseconds = 5000;
constexpr char kListSeparator = '\x1f';

// Rows are kept in key order (no rowid): unique names begin with the delivery time, so a folder's
// scan and a list by date read neighbouring pages, where rows in the order they were cached sent
// nearly every lookup to another page (and a cache of 100,000 rows to disk for most of them).
constexpr const char* kSchema = R"(
CREATE TABLE messages (
    folder TEXT NOT NULL,
    unique_name TEXT NOT NULL,
    file_name TEXT NOT NULL,
    identifier TEXT NOT NULL,
    size INTEGER NOT NULL,
    modified INTEGER NOT NULL,
    subject TEXT,
    senders TEXT,
    recipients TEXT,
    cc TEXT,
    message_id TEXT,
    date REAL,
    preview TEXT,
    PRIMARY KEY (folder, unique_name)
) WITHOUT ROWID;
CREATE INDEX messages_by_identifier ON messages (identifier);
)";

constexpr const char* kSelectEntries =
    "SELECT unique_name, file_name, size, modified, date, identifier FROM messages "
    "WHERE folder = :folder ORDER BY unique_name";
constexpr const char* kSelectSummary =
    "SELECT subject, senders, recipients, cc, message_id, date, preview, size, modified "
    "FROM messages "
    "WHERE folder = :folder AND unique_name = :unique_name";
constexpr const char* kSummaryColumns =
    "SELECT subject, senders, recipients, cc, message_id, date, preview, size, modified, "
    "unique_name FROM messages WHERE folder = :folder AND unique_name IN (";
// A batch's names as one run of the folder's rows: a list by date reads neighbouring rows.
constexpr const char* kSummaryRange =
    "SELECT subject, senders, recipients, cc, message_id, date, preview, size, modified, "
    "unique_name FROM messages WHERE folder = :folder AND unique_name BETWEEN :low AND :high "
    "LIMIT :limit";
constexpr const char* kSelectLocation =
    "SELECT folder, unique_name, file_name FROM messages WHERE identifier = :identifier";
constexpr const char* kUpsert =
    "INSERT INTO messages (folder, unique_name, file_name, identifier, size, modified, subject, "
    "senders, recipients, cc, message_id, date, preview) VALUES (:folder, :unique_name, "
    ":file_name, :identifier, :size, :modified, :subject, :senders, :recipients, :cc, "
    ":message_id, :date, :preview) ON CONFLICT (folder, unique_name) DO UPDATE SET "
    "file_name = excluded.file_name, size = excluded.size, modified = excluded.modified, "
    "subject = excluded.subject, senders = excluded.senders, recipients = excluded.recipients, "
    "cc = excluded.cc, message_id = excluded.message_id, date = excluded.date, "
    "preview = excluded.preview";
constexpr const char* kRename = "UPDATE messages SET file_name = :file_name "
                                "WHERE folder = :folder AND unique_name = :unique_name";
constexpr const char* kDelete =
    "DELETE FROM messages WHERE folder = :folder AND unique_name = :unique_name";
constexpr const char* kStorePreview = "UPDATE messages SET preview = :preview "
                                      "WHERE folder = :folder AND unique_name = :unique_name";

std::optional<std::string> joined(const std::optional<std::vector<std::string>>& list) {
    if (!list)
        return std::nullopt;
    std::string text;
    for (std::size_t i = 0; i < list->size(); ++i) {
        if (i)
            text += kListSeparator;
        text += (*list)[i];
    }
    return text;
}

std::vector<std::string> split(std::string_view text) {
    std::vector<std::string> list;
    if (text.empty())
        return list;
    list.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), kListSeparator)) +
                 1);
    std::size_t start = 0;
    while (true) {
        const auto end = text.find(kListSeparator, start);
        list.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return list;
        start = end + 1;
    }
}

// A column of joined addresses as a list; nullopt for NULL (no such header).
std::optional<std::vector<std::string>> addressColumn(const Statement& query, int column) {
    if (query.isNull(column))
        return std::nullopt;
    return split(query.textView(column));
}

std::string folderKey(const fs::path& folder) {
    return folder.lexically_normal().string();
}

bool isDamage(const SqliteError& error) {
    return error.code() == SQLITE_CORRUPT || error.code() == SQLITE_NOTADB;
}

// The columns of kSelectSummary (and the first nine of the batched query) as a summary.
MessageSummary summaryFromRow(const Statement& query) {
    MessageSummary summary;
    summary.headers.subject = query.optionalText(0);
    summary.headers.senders = addressColumn(query, 1);
    summary.headers.to = addressColumn(query, 2);
    summary.headers.cc = addressColumn(query, 3);
    summary.headers.messageIDHeader = query.optionalText(4);
    summary.headers.dateSent = query.optionalReal(5);
    summary.preview = query.optionalText(6);
    summary.fileSize = query.integer(7);
    summary.fileModified = query.integer(8);
    return summary;
}

// Parameter names :n0 ... :nK of the batched summary query.
std::vector<std::string> batchParameterNames() {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < HeaderCache::kSummariesPerQuery; ++i)
        names.push_back(":n" + std::to_string(i));
    return names;
}

std::string batchedSummaryQuery(const std::vector<std::string>& names) {
    std::string sql = kSummaryColumns;
    for (std::size_t i = 0; i < names.size(); ++i)
        sql += (i ? ", " : "") + names[i];
    return sql + ")";
}

int pragmaValue(Database& database, const char* sql) {
    Statement query(database, sql);
    return query.step() ? static_cast<int>(query.integer(0)) : 0;
}

} // namespace

struct HeaderCache::Connection {
    explicit Connection(const fs::path& file) : database(file) {
        database.setBusyTimeout(kBusyTimeoutMilliseconds);
        // WAL: readers never wait for the writer; NORMAL sync keeps commits atomic and the
        // file consistent after a crash, at worst losing the last commits (only a cache).
        // Larger pages: a list reads a folder's rows in a few large reads. It takes effect only
        // in a new file, before it is in WAL mode.
        database.execute("PRAGMA page_size = 16384");
        database.execute("PRAGMA journal_mode = WAL");
        database.execute("PRAGMA synchronous = NORMAL");
        // Room for the identifier index, which new mail updates all over (its keys are hashes).
        database.execute("PRAGMA cache_size = -8192");
        prepareSchema();
        selectEntries.emplace(database, kSelectEntries);
        selectSummary.emplace(database, kSelectSummary);
        selectSummaries.emplace(database, batchedSummaryQuery(batchNames));
        selectSummaryRange.emplace(database, kSummaryRange);
        for (const std::string& name : batchNames)
            batchPositions.push_back(selectSummaries->parameterPosition(name.c_str()));
        selectLocation.emplace(database, kSelectLocation);
        upsert.emplace(database, kUpsert);
        rename.emplace(database, kRename);
        remove.emplace(database, kDelete);
        storePreview.emplace(database, kStorePreview);
    }

    // Creates the tables in a fresh file; refuses (SchemaMismatch) a file of another schema.
    void prepareSchema() {
        if (pragmaValue(database, "PRAGMA user_version") == kSchemaVersion)
            return;
        Transaction creating(database);
        const int version = pragmaValue(database, "PRAGMA user_version");
        if (version == kSchemaVersion)
            return creating.commit();
        const int tables =
            pragmaValue(database, "SELECT count(*) FROM sqlite_schema WHERE type = 'table'");
        if (version != 0 || tables != 0)
            throw SchemaMismatch{version};
        database.execute(kSchema);
        database.execute("PRAGMA user_version = " + std::to_string(kSchemaVersion));
        creating.commit();
    }

    struct SchemaMismatch {
        int version;
    };

    Database database;
    std::optional<Statement> selectEntries;
    std::optional<Statement> selectSummary;
    const std::vector<std::string> batchNames = batchParameterNames();
    std::optional<Statement> selectSummaries;
    std::vector<int> batchPositions; // of batchNames in selectSummaries
    std::optional<Statement> selectSummaryRange;
    std::optional<Statement> selectLocation;
    std::optional<Statement> upsert;
    std::optional<Statement> rename;
    std::optional<Statement> remove;
    std::optional<Statement> storePreview;
};

HeaderCache::HeaderCache(fs::path file, std::function<void(const std::string&)> warn)
    : m_file(std::move(file)), m_warn(std::move(warn)) {
    if (!m_warn)
        m_warn = [](const std::string& line) { std::cerr << "tintbox: " << line << '\n'; };
    open();
}

HeaderCache::~HeaderCache() = default;

void HeaderCache::open() {
    std::error_code ignored;
    if (m_file != ":memory:")
        fs::create_directories(m_file.parent_path(), ignored);
    try {
        m_connection = std::make_unique<Connection>(m_file);
        return;
    } catch (const Connection::SchemaMismatch& mismatch) {
        m_connection.reset();
        setAside("it holds schema version " + std::to_string(mismatch.version) + ", not " +
                 std::to_string(kSchemaVersion));
    } catch (const SqliteError& error) {
        m_connection.reset();
        if (error.code() != SQLITE_CANTOPEN && error.code() != SQLITE_READONLY &&
            error.code() != SQLITE_PERM)
            setAside(error.what());
        else
            m_warn("cannot open the mail cache " + m_file.string() + " (" + error.what() +
                   "); reading mail without it");
    }
    try {
        m_connection = std::make_unique<Connection>(m_file);
    } catch (const SqliteError&) {
        m_connection = std::make_unique<Connection>(":memory:");
    } catch (const Connection::SchemaMismatch&) {
        m_connection = std::make_unique<Connection>(":memory:");
    }
}

void HeaderCache::setAside(const std::string& reason) {
    const fs::path broken = m_file.string() + ".broken";
    std::error_code ignored;
    fs::rename(m_file, broken, ignored);
    for (const char* suffix : {"-wal", "-shm"})
        fs::remove(m_file.string() + suffix, ignored);
    m_warn("the mail cache " + m_file.string() + " was unusable (" + reason + "); set aside as " +
           broken.string() + " and rebuilt");
}

template <class Work>
auto HeaderCache::guarded(Work&& work) -> decltype(work()) {
    try {
        return work();
    } catch (const SqliteError& error) {
        if (!isDamage(error))
            throw;
        m_connection.reset();
        setAside(error.what());
        open();
        return work();
    }
}

fs::path HeaderCache::defaultFile() {
    fs::path base;
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache == '/')
        base = cache;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = fs::path(home) / ".cache";
    else
        base = fs::temp_directory_path();
    return base / "tintbox" / "mail-cache.sqlite3";
}

namespace {
std::unique_ptr<HeaderCache>& processCache() {
    static std::unique_ptr<HeaderCache> cache;
    return cache;
}
} // namespace

HeaderCache& HeaderCache::forProcess() {
    if (!processCache())
        processCache() = std::make_unique<HeaderCache>(defaultFile());
    return *processCache();
}

void HeaderCache::closeForProcess() {
    processCache().reset();
}

std::vector<CacheEntry> HeaderCache::entriesOf(const fs::path& folder) {
    return guarded([&] {
        Statement& query = *m_connection->selectEntries;
        query.reset();
        query.bind(":folder", folderKey(folder));
        std::vector<CacheEntry> entries;
        while (query.step())
            entries.push_back({query.text(0), query.text(1), query.integer(2), query.integer(3),
                               query.optionalReal(4), query.text(5)});
        query.reset();
        return entries;
    });
}

std::optional<MessageSummary> HeaderCache::summaryOf(const fs::path& folder,
                                                     const std::string& uniqueName) {
    return guarded([&]() -> std::optional<MessageSummary> {
        Statement& query = *m_connection->selectSummary;
        query.reset();
        query.bind(":folder", folderKey(folder)).bind(":unique_name", uniqueName);
        if (!query.step())
            return std::nullopt;
        MessageSummary summary = summaryFromRow(query);
        query.reset();
        return summary;
    });
}

std::vector<std::optional<MessageSummary>>
HeaderCache::summariesOf(const fs::path& folder, const std::vector<std::string>& uniqueNames) {
    return guarded([&] {
        std::vector<std::optional<MessageSummary>> summaries(uniqueNames.size());
        const std::string key = folderKey(folder);
        // Each batch's names in order, with where each goes, to place the rows that come back.
        WantedNames wanted;
        wanted.reserve(kSummariesPerQuery);
        for (std::size_t start = 0; start < uniqueNames.size(); start += kSummariesPerQuery) {
            const std::size_t end = std::min(uniqueNames.size(), start + kSummariesPerQuery);
            wanted.clear();
            for (std::size_t at = start; at < end; ++at)
                wanted.emplace_back(uniqueNames[at], at);
            std::sort(wanted.begin(), wanted.end());
            const auto missed = readRange(key, wanted, summaries);
            readEach(key, missed, summaries);
        }
        return summaries;
    });
}

// The rows between the first and last wanted name, in key order beside the sorted names; at
// most a few times as many rows as names, so that names far apart cost no long scan. The names
// it could not settle (the scan stopped short of them) are returned.
HeaderCache::WantedNames
HeaderCache::readRange(const std::string& folderKey, const WantedNames& wanted,
                       std::vector<std::optional<MessageSummary>>& summaries) {
    constexpr std::int64_t kRowsPerName = 4;
    if (wanted.empty())
        return {};
    Statement& query = *m_connection->selectSummaryRange;
    query.reset();
    const auto limit = static_cast<std::int64_t>(wanted.size()) * kRowsPerName;
    query.bind(":folder", folderKey)
        .bind(":low", wanted.front().first)
        .bind(":high", wanted.back().first)
        .bind(":limit", limit);
    std::size_t next = 0; // the first wanted name not passed yet
    std::int64_t rows = 0;
    while (next < wanted.size() && query.step()) {
        ++rows;
        const std::string_view name = query.textView(9);
        while (next < wanted.size() && wanted[next].first < name)
            ++next; // not cached
        if (next < wanted.size() && wanted[next].first == name)
            summaries[wanted[next++].second] = summaryFromRow(query);
    }
    query.reset();
    if (rows < limit)
        return {}; // every name was passed: those not found are not cached
    return {wanted.begin() + static_cast<std::ptrdiff_t>(next), wanted.end()};
}

// Looks the names up one by one (in one query).
void HeaderCache::readEach(const std::string& folderKey, const WantedNames& wanted,
                           std::vector<std::optional<MessageSummary>>& summaries) {
    if (wanted.empty())
        return;
    Statement& query = *m_connection->selectSummaries;
    const auto& positions = m_connection->batchPositions;
    query.reset();
    query.bind(":folder", folderKey);
    for (std::size_t i = 0; i < positions.size(); ++i)
        query.bindAt(positions[i], i < wanted.size() ? std::optional(wanted[i].first)
                                                     : std::nullopt); // NULL matches nothing
    while (query.step()) {
        const std::string_view name = query.textView(9);
        const auto found = std::lower_bound(
            wanted.begin(), wanted.end(), name,
            [](const auto& entry, std::string_view sought) { return entry.first < sought; });
        if (found != wanted.end() && found->first == name)
            summaries[found->second] = summaryFromRow(query);
    }
    query.reset();
}

std::optional<CachedLocation> HeaderCache::locate(const std::string& identifier) {
    return guarded([&]() -> std::optional<CachedLocation> {
        Statement& query = *m_connection->selectLocation;
        query.reset();
        query.bind(":identifier", identifier);
        std::optional<CachedLocation> found;
        if (query.step())
            found = CachedLocation{query.text(0), query.text(1), query.text(2)};
        query.reset();
        return found;
    });
}

void HeaderCache::update(const fs::path& folder, const std::vector<CacheRecord>& stored,
                         const std::vector<std::pair<std::string, std::string>>& renamed,
                         const std::vector<std::string>& removed) {
    if (stored.empty() && renamed.empty() && removed.empty())
        return;
    const std::string key = folderKey(folder);
    guarded([&] {
        Connection& c = *m_connection;
        std::size_t inBatch = 0;
        std::optional<Transaction> batch;
        const auto counted = [&] {
            if (!batch)
                batch.emplace(c.database);
            if (++inBatch < kRowsPerTransaction)
                return;
            batch->commit();
            batch.reset();
            inBatch = 0;
        };
        for (const CacheRecord& record : stored) {
            const MessageHeaders& headers = record.summary.headers;
            Statement& upsert = *c.upsert;
            if (!batch)
                batch.emplace(c.database);
            upsert.bind(":folder", key)
                .bind(":unique_name", record.uniqueName)
                .bind(":file_name", record.fileName)
                .bind(":identifier", messageIdentifierFor(record.uniqueName))
                .bind(":size", record.size)
                .bind(":modified", record.modified)
                .bind(":subject", headers.subject)
                .bind(":senders", joined(headers.senders))
                .bind(":recipients", joined(headers.to))
                .bind(":cc", joined(headers.cc))
                .bind(":message_id", headers.messageIDHeader)
                .bind(":date", headers.dateSent)
                .bind(":preview", record.summary.preview);
            upsert.run();
            counted();
        }
        for (const auto& [uniqueName, fileName] : renamed) {
            if (!batch)
                batch.emplace(c.database);
            c.rename->bind(":folder", key)
                .bind(":unique_name", uniqueName)
                .bind(":file_name", fileName)
                .run();
            counted();
        }
        for (const std::string& uniqueName : removed) {
            if (!batch)
                batch.emplace(c.database);
            c.remove->bind(":folder", key).bind(":unique_name", uniqueName).run();
            counted();
        }
        if (batch)
            batch->commit();
    });
}

void HeaderCache::storePreview(const fs::path& folder, const std::string& uniqueName,
                               const std::string& preview) {
    guarded([&] {
        m_connection->storePreview->bind(":folder", folderKey(folder))
            .bind(":unique_name", uniqueName)
            .bind(":preview", std::string_view(preview))
            .run();
    });
}

} // namespace tintbox::sim::mail
