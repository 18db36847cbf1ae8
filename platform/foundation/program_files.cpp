#include "platform/foundation/program_files.hpp"

#include <stdexcept>
#include <system_error>

// The way from the executable's folder to the others, fixed by the install layout.
#ifndef TINTBOX_LIBDIR_FROM_BINDIR
#error "TINTBOX_LIBDIR_FROM_BINDIR names <libdir>/tintbox relative to <bindir>"
#endif
#ifndef TINTBOX_DATADIR_FROM_BINDIR
#error "TINTBOX_DATADIR_FROM_BINDIR names <datadir>/tintbox relative to <bindir>"
#endif

namespace foundation {

std::filesystem::path runningExecutable() {
    std::error_code error;
    auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        throw std::runtime_error(
            "cannot tell where this program is (/proc/self/exe: " + error.message() + ")");
    return program;
}

std::filesystem::path programFolder(ProgramFolder folder, const std::filesystem::path& program) {
    const std::filesystem::path way = folder == ProgramFolder::Libraries
                                          ? TINTBOX_LIBDIR_FROM_BINDIR
                                          : TINTBOX_DATADIR_FROM_BINDIR;
    return (program.parent_path() / way).lexically_normal();
}

} // namespace foundation
