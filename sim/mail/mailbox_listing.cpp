#include "sim/mail/mailbox_listing.hpp"

#include "platform/uikit/html_import.hpp"
#include "sim/mail/text_snippet.hpp"

#include <iostream>
#include <sys/stat.h>
#include <unordered_map>

namespace tintbox::sim::mail {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kStoreBatch = 400;

struct FileStatus {
    std::int64_t size{0};
    std::int64_t modified{0};
};

std::optional<FileStatus> statusOf(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return FileStatus{static_cast<std::int64_t>(status.st_size),
                      static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 +
                          status.st_mtim.tv_nsec};
}

// "cur/NAME:2,FS": where the file lies within its folder.
std::string relativeName(const MaildirFile& file) {
    return (file.inNew ? "new/" : "cur/") + file.path.filename().string();
}

std::optional<CacheRecord> parsed(const MaildirFile& file, const FileStatus& status) {
    std::string error;
    auto contents = readMessageContents(file.path, &error);
    if (!contents) {
        std::cerr << "tintbox: skipping " << error << '\n';
        return std::nullopt;
    }
    return CacheRecord{
        file.uniqueName,
        relativeName(file),
        status.size,
        status.modified,
        {std::move(contents->headers), previewOf(contents->body), status.size, status.modified}};
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
    std::unordered_map<std::string, CacheEntry> cached;
    for (auto& entry : cache.entriesOf(folder)) {
        std::string key = entry.uniqueName;
        cached.emplace(std::move(key), std::move(entry));
    }
    std::vector<ListedMessage> listed;
    std::vector<CacheRecord> stored;
    std::vector<std::pair<std::string, std::string>> renamed;
    for (MaildirFile& file : listMaildirFiles(folder)) {
        const auto status = statusOf(file.path);
        if (!status)
            continue; // gone since the folder was read
        const auto entry = cached.find(file.uniqueName);
        if (entry != cached.end() && entry->second.size == status->size &&
            entry->second.modified == status->modified) {
            // A flag change or a move from new/ renames the file and keeps its contents.
            if (std::string name = relativeName(file); name != entry->second.fileName)
                renamed.emplace_back(file.uniqueName, std::move(name));
            listed.push_back({std::move(file), status->modified, entry->second.dateSent});
            cached.erase(entry);
            continue;
        }
        if (entry != cached.end())
            cached.erase(entry);
        auto record = parsed(file, *status);
        if (!record)
            continue;
        listed.push_back({std::move(file), status->modified, record->summary.headers.dateSent});
        stored.push_back(std::move(*record));
        // A first listing of a big folder stores as it goes, so previews never pile up.
        if (stored.size() >= kStoreBatch) {
            cache.update(folder, stored, {}, {});
            stored.clear();
        }
    }
    // What the cache holds beyond the folder's files has been deleted or moved away.
    std::vector<std::string> removed;
    removed.reserve(cached.size());
    for (const auto& [uniqueName, entry] : cached)
        removed.push_back(uniqueName);
    cache.update(folder, stored, renamed, removed);
    return listed;
}

std::optional<MessageSummary> summaryOfFile(HeaderCache& cache, const fs::path& folder,
                                            const MaildirFile& file, bool verify) {
    auto summary = cache.summaryOf(folder, file.uniqueName);
    if (summary && verify) {
        const auto status = statusOf(file.path);
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
    const auto status = statusOf(file.path);
    if (!status)
        return std::nullopt;
    auto record = parsed(file, *status);
    if (!record)
        return std::nullopt;
    cache.update(folder, {*record}, {}, {});
    return std::move(record->summary);
}

} // namespace tintbox::sim::mail
