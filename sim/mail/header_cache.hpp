// The header and preview cache of the Mail stand-in: one SQLite database for every Maildir,
// under $XDG_CACHE_HOME/tintbox/ (~/.cache/tintbox/ by default). Per message file it keeps the
// folder, the unique name, the current file name, size and modification time, the headers the
// screens and the mail extension read, and the preview text. It is only a cache: mail on disk
// is never written through it, and a database that is corrupt or of another schema is set
// aside and rebuilt with one warning. WAL and a busy timeout let several processes share it;
// writes come in short transactions, so a kill at any moment leaves it usable.
//   HeaderCache& cache = HeaderCache::forProcess();
//   for (const auto& entry : cache.entriesOf(folder)) ... entry.size, entry.modified ...
#pragma once

#include "sim/mail/mime_reader.hpp"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tintbox::sim::mail {

namespace sqlite {
class Database;
}

// What the cache says of one message file at listing time.
struct CacheEntry {
    std::string uniqueName;
    std::string fileName; // "cur/NAME:2,S" or "new/NAME"
    std::int64_t size{0};
    std::int64_t modified{0}; // nanoseconds since the epoch
    std::optional<double> dateSent;
    std::string identifier;
};

// The headers and preview of a message, as cached.
struct MessageSummary {
    MessageHeaders headers;
    std::optional<std::string> preview; // nullopt: not made yet
    // The file's size and modification time (nanoseconds) when it was read.
    std::int64_t fileSize{-1};
    std::int64_t fileModified{-1};
};

// One message file to store, as it was when it was read.
struct CacheRecord {
    std::string uniqueName;
    std::string fileName;
    std::int64_t size{0};
    std::int64_t modified{0};
    MessageSummary summary;
};

// Where a message identifier was last seen.
struct CachedLocation {
    std::filesystem::path folder;
    std::string uniqueName;
    std::string fileName;
};

class HeaderCache {
public:
    // Opens or creates the database at file, its folder made as needed. Unusable databases are
    // set aside as FILE.broken; when even a new one cannot be made the cache lives in memory.
    // Warnings (one line each) go to `warn`, stderr by default.
    explicit HeaderCache(std::filesystem::path file,
                         std::function<void(const std::string&)> warn = {});
    ~HeaderCache();
    HeaderCache(const HeaderCache&) = delete;
    HeaderCache& operator=(const HeaderCache&) = delete;

    // $XDG_CACHE_HOME/tintbox/mail-cache.sqlite3, or ~/.cache/tintbox/... without it.
    static std::filesystem::path defaultFile();
    // The process's cache at defaultFile(), opened on first use.
    static HeaderCache& forProcess();
    // Drops the process's cache, so the next use opens defaultFile() again (tests, new roots).
    static void closeForProcess();

    const std::filesystem::path& file() const { return m_file; }

    std::vector<CacheEntry> entriesOf(const std::filesystem::path& folder);
    std::optional<MessageSummary> summaryOf(const std::filesystem::path& folder,
                                            const std::string& uniqueName);
    // The summaries of several files of one folder, in the order asked; nullopt for a file the
    // cache does not hold. Read kSummariesPerQuery names at a time, as one run of the folder's
    // rows when the names lie close together (a list by date), else by a lookup of each.
    static constexpr std::size_t kSummariesPerQuery = 64;
    std::vector<std::optional<MessageSummary>>
    summariesOf(const std::filesystem::path& folder, const std::vector<std::string>& uniqueNames);
    std::optional<CachedLocation> locate(const std::string& identifier);

    // Stores new and changed files, renames (flag changes, new/ to cur/) and removals of one
    // folder, in transactions of a few hundred rows each.
    void update(const std::filesystem::path& folder, const std::vector<CacheRecord>& stored,
                const std::vector<std::pair<std::string, std::string>>& renamed,
                const std::vector<std::string>& removed);
    void storePreview(const std::filesystem::path& folder, const std::string& uniqueName,
                      const std::string& preview);

private:
    struct Connection;

    using WantedNames = std::vector<std::pair<std::string_view, std::size_t>>;
    WantedNames readRange(const std::string& folderKey, const WantedNames& wanted,
                          std::vector<std::optional<MessageSummary>>& summaries);
    void readEach(const std::string& folderKey, const WantedNames& wanted,
                  std::vector<std::optional<MessageSummary>>& summaries);

    void open();
    void setAside(const std::string& reason);
    // Runs work; a database found corrupt midway is set aside, rebuilt and work run again.
    template <class Work>
    auto guarded(Work&& work) -> decltype(work());

    std::filesystem::path m_file;
    std::function<void(const std::string&)> m_warn;
    std::unique_ptr<Connection> m_connection;
};

} // namespace tintbox::sim::mail
