// The files that come with the program (its plug-ins, their resources, the sample set) are
// found from the running executable, never from a path fixed at build time: an installed tree
// works under any prefix and after a move, and the build tree has the same layout beside its
// built command. Every caller that looks for such a file goes through programFolder().
//   const auto samples = foundation::programFolder(foundation::ProgramFolder::Data) / "samples";
#pragma once

#include <filesystem>

namespace foundation {

enum class ProgramFolder {
    Libraries, // <libdir>/tintbox: the platform's shared libraries and the plug-ins
    Data,      // <datadir>/tintbox: the plug-ins' resources, the pane's entry file, the samples
};

// The running executable, links resolved; throws std::runtime_error when the system cannot say.
std::filesystem::path runningExecutable();

// The folder of that kind belonging to the executable `program` (by default the running one).
std::filesystem::path programFolder(ProgramFolder folder,
                                    const std::filesystem::path& program = runningExecutable());

} // namespace foundation
