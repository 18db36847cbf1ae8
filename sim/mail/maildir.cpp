#include "sim/mail/maildir.hpp"

#include "sim/mail/modified_utf7.hpp"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <glib.h>
#include <memory>
#include <unistd.h>

namespace tintbox::sim::mail {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kInfoSeparator = ":2,";

struct ClosesDirectory {
    void operator()(DIR* directory) const { ::closedir(directory); }
};

// Calls visit(name) for each message file of folder/sub: hidden names are skipped, and so is
// anything that is not (or does not lead to) a regular file.
template <class Visit>
void eachMessageFile(const fs::path& folder, const char* sub, Visit visit) {
    const fs::path directoryPath = folder / sub;
    const std::unique_ptr<DIR, ClosesDirectory> directory(::opendir(directoryPath.c_str()));
    if (!directory)
        return;
    while (const dirent* entry = ::readdir(directory.get())) {
        const std::string_view name(entry->d_name);
        if (name.starts_with('.'))
            continue;
        if (entry->d_type != DT_REG && entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK)
            continue;
        if (entry->d_type != DT_REG) {
            std::error_code error;
            if (!fs::is_regular_file(directoryPath / entry->d_name, error))
                continue;
        }
        visit(name);
    }
}

bool isDirectory(const fs::path& path) {
    std::error_code ignored;
    return fs::is_directory(path, ignored);
}

bool isMailFolder(const fs::path& path) {
    return isDirectory(path / "cur") || isDirectory(path / "new");
}

// Folder names are IMAP's modified UTF-7 in either layout; a name that is not valid modified
// UTF-7 is shown as it stands.
std::string shownFolderName(const std::string& name) {
    return decodeModifiedUtf7(name).value_or(name);
}

// ".A.B" -> "A/B"; empty for names that are not Maildir++ folders ("..", ".", ".A..B").
std::string mailboxNameOf(std::string_view folderName) {
    if (folderName.size() < 2 || folderName.front() != '.')
        return {};
    std::string name(folderName.substr(1));
    if (name.front() == '.' || name.back() == '.' || name.find("..") != std::string::npos)
        return {};
    std::replace(name.begin(), name.end(), '.', '/');
    return shownFolderName(name);
}

} // namespace

namespace {

// The plain layout of mbsync and OfflineIMAP: each mailbox a folder of its own below the root
// (INBOX/, Archive/, Lists/dev/), named by its path; folders starting with "." are not mail.
void addPlainFolders(const fs::path& root, const fs::path& folder, int depth,
                     std::vector<MaildirFolder>& found) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string leaf = it->path().filename().string();
        std::error_code typeError;
        if (leaf.starts_with('.') || leaf == "cur" || leaf == "new" || leaf == "tmp" ||
            !it->is_directory(typeError))
            continue;
        if (isMailFolder(it->path()))
            found.push_back(
                {shownFolderName(fs::relative(it->path(), root).generic_string()), it->path()});
        if (depth > 1)
            addPlainFolders(root, it->path(), depth - 1, found);
    }
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

constexpr int kPlainLayoutDepth = 8;

} // namespace

MaildirLayout maildirLayoutOf(const fs::path& root) {
    if (isMailFolder(root))
        return MaildirLayout::MaildirPlusPlus;
    std::vector<MaildirFolder> plain;
    addPlainFolders(root, root, 2, plain);
    return plain.empty() ? MaildirLayout::MaildirPlusPlus : MaildirLayout::PlainFolders;
}

std::vector<MaildirFolder> listMaildirFolders(const fs::path& root) {
    if (maildirLayoutOf(root) == MaildirLayout::PlainFolders) {
        std::vector<MaildirFolder> found;
        addPlainFolders(root, root, kPlainLayoutDepth, found);
        std::sort(found.begin(), found.end(),
                  [](const MaildirFolder& a, const MaildirFolder& b) { return a.name < b.name; });
        // The inbox keeps the name Mail gives it whatever case the folder has ("Inbox").
        MaildirFolder inbox{std::string(kInboxName), root};
        for (auto it = found.begin(); it != found.end(); ++it)
            if (sameIgnoringCase(it->name, kInboxName)) {
                inbox.path = it->path;
                found.erase(it);
                break;
            }
        found.insert(found.begin(), inbox);
        return found;
    }
    std::vector<MaildirFolder> folders{{std::string(kInboxName), root}};
    std::vector<MaildirFolder> subfolders;
    std::error_code error;
    for (fs::directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
        const std::string name = mailboxNameOf(it->path().filename().string());
        if (!name.empty() && isMailFolder(it->path()))
            subfolders.push_back({name, it->path()});
    }
    std::sort(subfolders.begin(), subfolders.end(),
              [](const MaildirFolder& a, const MaildirFolder& b) { return a.name < b.name; });
    folders.insert(folders.end(), subfolders.begin(), subfolders.end());
    return folders;
}

MaildirFile maildirFileAt(const fs::path& path, bool inNew) {
    MaildirFile file{path, path.filename().string(), {}, inNew};
    if (const auto info = file.uniqueName.rfind(kInfoSeparator); info != std::string::npos) {
        file.flags = file.uniqueName.substr(info + kInfoSeparator.size());
        file.uniqueName.erase(info);
    }
    return file;
}

std::vector<MaildirFile> listMaildirFiles(const fs::path& folder) {
    std::vector<MaildirFile> files;
    for (const auto& stored : listStoredMaildirFiles(folder))
        files.push_back(stored.file());
    return files;
}

std::vector<StoredMaildirFile> listStoredMaildirFiles(const fs::path& folder) {
    std::vector<StoredMaildirFile> files;
    for (const bool inNew : {false, true}) {
        const char* sub = inNew ? "new" : "cur";
        const std::string prefix = (folder / sub).string() + '/';
        eachMessageFile(folder, sub, [&](std::string_view name) {
            StoredMaildirFile file{prefix + std::string(name), std::string(name), {}, inNew};
            if (const auto info = file.uniqueName.rfind(kInfoSeparator);
                info != std::string::npos) {
                file.flags = file.uniqueName.substr(info + kInfoSeparator.size());
                file.uniqueName.erase(info);
            }
            files.push_back(std::move(file));
        });
    }
    return files;
}

StoredMaildirFile StoredMaildirFile::of(const MaildirFile& file) {
    return {file.path.string(), file.uniqueName, file.flags, file.inNew};
}

std::string StoredMaildirFile::relativeName() const {
    const auto slash = path.rfind('/');
    return (inNew ? "new/" : "cur/") + path.substr(slash == std::string::npos ? 0 : slash + 1);
}

std::size_t countUnseenMaildirFiles(const fs::path& folder) {
    std::size_t unseen = 0;
    for (const char* sub : {"cur", "new"})
        eachMessageFile(folder, sub, [&](std::string_view name) {
            const auto info = name.rfind(kInfoSeparator);
            const bool seen =
                info != std::string_view::npos &&
                name.substr(info + kInfoSeparator.size()).find('S') != std::string_view::npos;
            unseen += seen ? 0 : 1;
        });
    return unseen;
}

std::optional<MaildirFile> changeMaildirFlags(const MaildirFile& file, std::string_view flags,
                                              std::string* error) {
    std::string sorted(flags);
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    const fs::path target = file.path.parent_path().parent_path() / "cur" /
                            (file.uniqueName + std::string(kInfoSeparator) + sorted);
    if (target == file.path)
        return file;
    std::error_code failure;
    if (fs::exists(target, failure)) {
        if (error)
            *error = target.string() + " already exists; " + file.path.string() + " left as it is";
        return std::nullopt;
    }
    fs::create_directories(target.parent_path(), failure);
    // The check above can race with another program; the rename itself refuses to replace.
    if (!failure)
        failure =
            std::error_code(renameWithoutReplacing(file.path, target), std::generic_category());
    if (failure) {
        if (error)
            *error = "cannot rename " + file.path.string() + ": " + failure.message();
        return std::nullopt;
    }
    return maildirFileAt(target, false);
}

int renameWithoutReplacing(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without RENAME_NOREPLACE: link refuses an existing name; then drop the old.
    if (::link(from.c_str(), to.c_str()) != 0)
        return errno;
    ::unlink(from.c_str());
    return 0;
}

std::string messageIdentifierFor(std::string_view uniqueName) {
    // The first six bytes of the name's SHA-1 in hex; the whole digest's text is not needed.
    const std::unique_ptr<GChecksum, decltype(&g_checksum_free)> checksum(
        g_checksum_new(G_CHECKSUM_SHA1), &g_checksum_free);
    g_checksum_update(checksum.get(), reinterpret_cast<const guchar*>(uniqueName.data()),
                      static_cast<gssize>(uniqueName.size()));
    guint8 digest[20];
    gsize length = sizeof digest;
    g_checksum_get_digest(checksum.get(), digest, &length);
    constexpr char kHexDigits[] = "0123456789abcdef";
    std::string identifier(12, '0');
    for (std::size_t i = 0; i < identifier.size() / 2; ++i) {
        identifier[2 * i] = kHexDigits[digest[i] >> 4];
        identifier[2 * i + 1] = kHexDigits[digest[i] & 0x0F];
    }
    return identifier;
}

} // namespace tintbox::sim::mail
