// Listing one mailbox folder lazily: the file names give the unique names and flags, the header
// cache gives dates (and later headers and previews), and only files that are new or changed
// since they were cached (size or modification time) are parsed, once, for headers and preview
// together. Cache entries of files that are gone are dropped; renames are noted.
//   for (auto& listed : listMailboxMessages(HeaderCache::forProcess(), folder)) ...
#pragma once

#include "sim/mail/header_cache.hpp"
#include "sim/mail/maildir.hpp"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tintbox::sim::mail {

// The longest preview any screen shows, in characters.
inline constexpr std::size_t kPreviewCharacters = 200;

// A body's preview: its text (HTML turned into text once) folded to one line.
std::string previewOf(const std::optional<BodyText>& body);

struct ListedMessage {
    StoredMaildirFile file;
    std::int64_t modified{0}; // nanoseconds since the epoch
    std::optional<double> dateSent;
    std::string identifier; // as the cache holds it; empty for a file read anew
};

// The messages of a folder (cur/ and new/), in no particular order. A file that cannot be
// parsed is left out with a one-line warning on stderr.
std::vector<ListedMessage> listMailboxMessages(HeaderCache& cache,
                                               const std::filesystem::path& folder);

// The summary (headers and preview) of one file: from the cache, else parsed from the file
// (and then cached). A file just listed is known to match its entry; otherwise (`verify`) its
// size and modification time are compared first. nullopt when the file cannot be read.
std::optional<MessageSummary> summaryOfFile(HeaderCache& cache, const std::filesystem::path& folder,
                                            const MaildirFile& file, bool verify = false);

} // namespace tintbox::sim::mail
