#include "cli/maildir_layout.hpp"

namespace tintbox::cli {
namespace {

namespace fs = std::filesystem;

bool holdsMail(const fs::path& folder) {
    std::error_code ignored;
    return fs::is_directory(folder / "cur", ignored) || fs::is_directory(folder / "new", ignored);
}

// A mailbox folder a few levels down (Lists/dev/cur), as the plain layout nests them.
bool hasMailboxBelow(const fs::path& folder, int depth) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (!it->is_directory(error))
            continue;
        if (holdsMail(it->path()) || (depth > 1 && hasMailboxBelow(it->path(), depth - 1)))
            return true;
    }
    return false;
}

} // namespace

std::optional<std::string> maildirProblem(const fs::path& folder) {
    std::error_code error;
    if (!fs::is_directory(folder, error))
        return folder.string() + " is not a folder";
    if (holdsMail(folder) || hasMailboxBelow(folder, 3))
        return std::nullopt;
    return folder.string() +
           " is not a Maildir (no cur or new folder in it, nor in a mailbox folder below it)";
}

} // namespace tintbox::cli
