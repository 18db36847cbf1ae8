#include "sim/mail/mailbox_listing.hpp"

#include "platform/uikit/html_import.hpp"
#include "sim/mail/text_snippet.hpp"

#include <algorithm>
#include <fcntl.h>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace tintbox::sim::mail {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kStoreBatch = 2000;

struct FileStatus {
    std::int64_t size{0};
    std::int64_t modified{0};
};

FileStatus statusFrom(const struct stat& status) {
    return {static_cast<std::int64_t>(status.st_size),
            static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 +
                status.st_mtim.tv_nsec};
}

std::optional<FileStatus> statusAtPath(const char* path) {
    struct stat status {};
    if (::stat(path, &status) != 0)
        return std::nullopt;
    return statusFrom(status);
}

// cur/ or new/ held open, so that each file's status is looked up by its name alone rather
// than by walking its whole path again (a big folder's listing is mostly these lookups).
class OpenFolder {
public:
    explicit OpenFolder(const fs::path& path)
        : m_fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}
    ~OpenFolder() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    std::optional<FileStatus> statusOf(const StoredMaildirFile& file) const {
        if (m_fd < 0)
            return statusAtPath(file.path.c_str());
        const auto slash = file.path.rfind('/');
        const char* name = file.path.c_str() + (slash == std::string::npos ? 0 : slash + 1);
        struct stat status {};
        if (::fstatat(m_fd, name, &status, 0) != 0)
            return std::nullopt;
        return statusFrom(status);
    }

private:
    int m_fd{-1};
};

// "cur/NAME:2,FS": where the file lies within its folder.
std::string relativeName(const MaildirFile& file) {
    return (file.inNew ? "new/" : "cur/") + file.path.filename().string();
}

std::string relativeName(const StoredMaildirFile& file) {
    return file.relativeName();
}

const std::string& uniqueNameOf(const MaildirFile& file) {
    return file.uniqueName;
}

const std::string& uniqueNameOf(const StoredMaildirFile& file) {
    return file.uniqueName;
}

// The file read for the cache, with the status it had when it was read. A file gone since its
// folder was listed is passed over in silence, as it would be in the listing.
template <class File>
std::optional<CacheRecord> parsed(const File& file) {
    std::string error;
    auto contents = readMessageContents(file.path, &error);
    if (!contents) {
        std::error_code missing;
        if (fs::symlink_status(file.path, missing).type() != fs::file_type::not_found)
            std::cerr << "tintbox: skipping " << error << '\n';
        return std::nullopt;
    }
    const std::int64_t size = contents->fileSize, modified = contents->fileModified;
    return CacheRecord{uniqueNameOf(file),
                       relativeName(file),
                       size,
                       modified,
                       {std::move(contents->headers), previewOf(contents->body), size, modified}};
}

} // namespace

std::string previewOf(const std::optional<BodyText>& body) {
    if (!body)
        return {};
    if (body->isHTML)
        return snippetOf(uikit::plainTextFromHTML(body->text), kPreviewCharacters);
    return snippetOf(body->text, kPreviewCharacters);
}

std::vector<ListedMessage> listMailboxMessages(HeaderCache& cache, const fs::path& folder) {
    // Sorted by unique name and searched in place: a map of a big folder's entries would hold
    // a second copy of every name besides its nodes.
    std::vector<CacheEntry> cached = cache.entriesOf(folder);
    const auto byName = [](const CacheEntry& a, const CacheEntry& b) {
        return a.uniqueName < b.uniqueName;
    };
    // The cache gives them in this order already; sorting 100,000 entries again was not free.
    if (!std::is_sorted(cached.begin(), cached.end(), byName))
        std::sort(cached.begin(), cached.end(), byName);
    std::vector<bool> stillListed(cached.size(), false);
    const auto cachedEntry = [&](const std::string& uniqueName) -> std::optional<std::size_t> {
        const auto found = std::lower_bound(cached.begin(), cached.end(), uniqueName,
                                            [](const CacheEntry& entry, const std::string& name) {
                                                return entry.uniqueName < name;
                                            });
        if (found == cached.end() || found->uniqueName != uniqueName)
            return std::nullopt;
        return static_cast<std::size_t>(found - cached.begin());
    };
    std::vector<StoredMaildirFile> files = listStoredMaildirFiles(folder);
    std::vector<ListedMessage> listed;
    listed.reserve(files.size());
    std::vector<CacheRecord> stored;
    std::vector<std::pair<std::string, std::string>> renamed;
    const OpenFolder cur(folder / "cur");
    const OpenFolder inNew(folder / "new");
    // Files to read: new, or changed since they were cached. A new file's status comes with
    // reading it, so a first listing looks each file up once, not twice.
    std::vector<StoredMaildirFile> toRead;
    for (StoredMaildirFile& file : files) {
        const auto at = cachedEntry(file.uniqueName);
        if (!at) {
            toRead.push_back(std::move(file));
            continue;
        }
        const auto status = (file.inNew ? inNew : cur).statusOf(file);
        if (!status)
            continue; // gone since the folder was read
        stillListed[*at] = true;
        if (cached[*at].size == status->size && cached[*at].modified == status->modified) {
            const CacheEntry& entry = cached[*at];
            // A flag change or a move from new/ renames the file and keeps its contents.
            if (std::string name = relativeName(file); name != entry.fileName)
                renamed.emplace_back(file.uniqueName, std::move(name));
            listed.push_back({std::move(file), status->modified, entry.dateSent, entry.identifier});
            continue;
        }
        toRead.push_back(std::move(file));
    }
    // Read and stored in the cache's own order: rows added at the end of the folder's run
    // rather than all over it (in the order of the directory, a first listing of 100,000 files
    // spent half its time moving the cache's pages around).
    std::sort(toRead.begin(), toRead.end(),
              [](const auto& a, const auto& b) { return a.uniqueName < b.uniqueName; });
    for (StoredMaildirFile& file : toRead) {
        auto record = parsed(file);
        if (!record)
            continue;
        listed.push_back({std::move(file), record->modified, record->summary.headers.dateSent, {}});
        stored.push_back(std::move(*record));
        // A first listing of a big folder stores as it goes, so previews never pile up.
        if (stored.size() >= kStoreBatch) {
            cache.update(folder, stored, {}, {});
            stored.clear();
        }
    }
    toRead = {};
    files = {};
    // What the cache holds beyond the folder's files has been deleted or moved away.
    std::vector<std::string> removed;
    for (std::size_t i = 0; i < cached.size(); ++i)
        if (!stillListed[i])
            removed.push_back(std::move(cached[i].uniqueName));
    cached = {};
    cache.update(folder, stored, renamed, removed);
    return listed;
}

std::optional<MessageSummary> summaryOfFile(HeaderCache& cache, const fs::path& folder,
                                            const MaildirFile& file, bool verify) {
    auto summary = cache.summaryOf(folder, file.uniqueName);
    if (summary && verify) {
        const auto status = statusAtPath(file.path.c_str());
        if (!status)
            return std::nullopt;
        if (status->size != summary->fileSize || status->modified != summary->fileModified)
            summary.reset();
    }
    if (summary) {
        if (!summary->preview) {
            std::string error;
            summary->preview = previewOf(readPreferredBody(file.path, &error));
            cache.storePreview(folder, file.uniqueName, *summary->preview);
        }
        return summary;
    }
    auto record = parsed(file);
    if (!record)
        return std::nullopt;
    cache.update(folder, {*record}, {}, {});
    return std::move(record->summary);
}

} // namespace tintbox::sim::mail
