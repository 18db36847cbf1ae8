#include "sim/mail/maildir_move.hpp"

#include "platform/foundation/file_descriptor.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace tintbox::sim::mail {
namespace {

namespace fs = std::filesystem;
using foundation::FileDescriptor;

constexpr std::string_view kInfoSeparator = ":2,";
constexpr std::string_view kJournalSuffix = ".move-journal";
constexpr std::string_view kCopySuffix = ".move-copy";

std::string fileName(const MaildirFile& file) {
    return file.uniqueName + std::string(kInfoSeparator) + file.flags;
}

std::string systemError(const std::string& what, const fs::path& path, int error) {
    return "cannot " + what + " " + path.string() + ": " + std::strerror(error);
}

// fsync of a folder, so that the names made or removed in it survive a power cut.
bool syncFolder(const fs::path& folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return fd && ::fsync(fd.get()) == 0;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Writes a new file (never over an old one) and syncs it; errno is kept on failure.
bool writeNewFile(const fs::path& path, std::string_view bytes) {
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!fd)
        return false;
    if (!writeAll(fd.get(), bytes) || ::fsync(fd.get()) != 0) {
        const int saved = errno;
        ::unlink(path.c_str());
        errno = saved;
        return false;
    }
    if (const int closeError = fd.closeChecked()) {
        ::unlink(path.c_str());
        errno = closeError;
        return false;
    }
    return true;
}

std::optional<std::string> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return bytes.str();
}

// A message file of that unique name in the Maildir folder's cur/ or new/.
std::optional<fs::path> findUniqueName(const fs::path& folder, const std::string& uniqueName) {
    for (const auto& file : listStoredMaildirFiles(folder))
        if (file.uniqueName == uniqueName)
            return fs::path(file.path);
    return std::nullopt;
}

struct Journal {
    fs::path source;
    std::string targetName;
};

std::string journalText(const Journal& journal) {
    return journal.source.string() + '\n' + journal.targetName + '\n';
}

std::optional<Journal> readJournal(const fs::path& path) {
    const auto text = readFile(path);
    if (!text)
        return std::nullopt;
    std::istringstream lines(*text);
    Journal journal;
    std::string source;
    if (!std::getline(lines, source) || !std::getline(lines, journal.targetName) ||
        source.empty() || journal.targetName.empty())
        return std::nullopt;
    journal.source = source;
    return journal;
}

class CopyingMove {
public:
    CopyingMove(const MaildirFile& file, const fs::path& targetFolder, const MoveOptions& options)
        : m_file(file), m_options(options), m_tmp(targetFolder / "tmp"),
          m_cur(targetFolder / "cur"), m_journal(m_tmp / (file.uniqueName + kJournalSuffix.data())),
          m_copy(m_tmp / (file.uniqueName + kCopySuffix.data())), m_target(m_cur / fileName(file)) {
    }

    std::optional<MaildirFile> run(std::string* error) {
        std::error_code made;
        fs::create_directories(m_tmp, made);
        if (made)
            return fail(error, "cannot make " + m_tmp.string() + ": " + made.message());
        // A leftover of an earlier attempt names the same message; it is ours to replace.
        ::unlink(m_copy.c_str());
        ::unlink(m_journal.c_str());
        if (!writeNewFile(m_journal, journalText({m_file.path, fileName(m_file)})) ||
            !syncFolder(m_tmp))
            return fail(error, systemError("write", m_journal, errno));
        step(MoveStep::JournalWritten);

        const auto bytes = readFile(m_file.path);
        if (!bytes)
            return undo(error, "cannot read " + m_file.path.string());
        if (!writeNewFile(m_copy, *bytes) || !syncFolder(m_tmp))
            return undo(error, systemError("write", m_copy, errno));
        step(MoveStep::CopyWritten);

        if (::link(m_copy.c_str(), m_target.c_str()) != 0)
            return undo(error, systemError("link the copy to", m_target, errno));
        syncFolder(m_cur);
        step(MoveStep::CopyPublished);

        // The message is in both folders now; the journal says which one stays.
        if (::unlink(m_file.path.c_str()) != 0 && errno != ENOENT)
            return fail(error, systemError("remove", m_file.path, errno) +
                                   " (the journal finishes the move on the next start)");
        syncFolder(m_file.path.parent_path());
        step(MoveStep::SourceRemoved);

        ::unlink(m_copy.c_str());
        ::unlink(m_journal.c_str());
        syncFolder(m_tmp);
        step(MoveStep::Finished);
        return maildirFileAt(m_target, false);
    }

private:
    void step(MoveStep reached) const {
        if (m_options.afterStep)
            m_options.afterStep(reached);
    }

    std::optional<MaildirFile> fail(std::string* error, const std::string& message) const {
        if (error)
            *error = message;
        return std::nullopt;
    }

    // Nothing was published: drop the copy and the journal; the source never moved.
    std::optional<MaildirFile> undo(std::string* error, const std::string& message) const {
        ::unlink(m_copy.c_str());
        ::unlink(m_journal.c_str());
        syncFolder(m_tmp);
        return fail(error, message);
    }

    const MaildirFile& m_file;
    const MoveOptions& m_options;
    fs::path m_tmp;
    fs::path m_cur;
    fs::path m_journal;
    fs::path m_copy;
    fs::path m_target;
};

// Settles one journal of folder's tmp/. A published copy (any file of the unique name in the
// target) wins and the source, when it still holds the same bytes, goes; an unpublished copy is
// dropped. When the source is gone and nothing was published the leftovers are kept: they may
// be the only copy.
bool settleJournal(const fs::path& folder, const fs::path& journalPath) {
    const std::string name = journalPath.filename().string();
    const std::string uniqueName = name.substr(0, name.size() - kJournalSuffix.size());
    const fs::path copy = folder / "tmp" / (uniqueName + kCopySuffix.data());
    const auto journal = readJournal(journalPath);
    std::error_code ignored;
    if (!journal) {
        // A journal torn by the crash: its copy had not been written yet.
        if (!fs::exists(copy, ignored))
            ::unlink(journalPath.c_str());
        return false;
    }
    const fs::path sourceFolder = journal->source.parent_path().parent_path();
    const auto published = findUniqueName(folder, uniqueName);
    const auto source = findUniqueName(sourceFolder, uniqueName);
    if (published && source && *published != *source) {
        const auto kept = readFile(*published);
        if (!kept || kept != readFile(*source))
            return false; // not the same message after all: leave both for a person to judge
        if (::unlink(source->c_str()) != 0)
            return false;
        syncFolder(source->parent_path());
    } else if (!published && !source) {
        return false;
    }
    ::unlink(copy.c_str());
    ::unlink(journalPath.c_str());
    syncFolder(folder / "tmp");
    return true;
}

} // namespace

std::optional<MaildirFile> moveMaildirFile(const MaildirFile& file, const fs::path& targetFolder,
                                           std::string* error, const MoveOptions& options) {
    const fs::path target = targetFolder / "cur" / fileName(file);
    std::error_code failure;
    if (fs::equivalent(file.path.parent_path().parent_path(), targetFolder, failure)) {
        if (error)
            *error = file.path.string() + " is in " + targetFolder.string() + " already";
        return std::nullopt;
    }
    if (findUniqueName(targetFolder, file.uniqueName)) {
        if (error)
            *error = targetFolder.string() + " already holds a message named " + file.uniqueName +
                     "; " + file.path.string() + " left as it is";
        return std::nullopt;
    }
    fs::create_directories(target.parent_path(), failure);
    if (failure) {
        if (error)
            *error = "cannot make " + target.parent_path().string() + ": " + failure.message();
        return std::nullopt;
    }
    const int renamed = options.forceCopy ? EXDEV : renameWithoutReplacing(file.path, target);
    if (renamed == 0) {
        syncFolder(target.parent_path());
        syncFolder(file.path.parent_path());
        return maildirFileAt(target, false);
    }
    if (renamed != EXDEV) {
        if (error)
            *error = systemError("move", file.path, renamed);
        return std::nullopt;
    }
    return CopyingMove(file, targetFolder, options).run(error);
}

int recoverInterruptedMoves(const std::vector<fs::path>& folders) {
    int settled = 0;
    for (const fs::path& folder : folders) {
        std::vector<fs::path> journals;
        std::error_code error;
        for (fs::directory_iterator it(folder / "tmp", error), end; !error && it != end;
             it.increment(error))
            if (it->path().filename().string().ends_with(kJournalSuffix))
                journals.push_back(it->path());
        for (const fs::path& journal : journals)
            settled += settleJournal(folder, journal) ? 1 : 0;
    }
    return settled;
}

} // namespace tintbox::sim::mail
