// Runs a shell command for an interoperability test and collects its output and exit status;
// the pipe is always closed, also when an assertion returns early. Also finds python3.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/wait.h>

namespace interop {

struct CommandResult {
    int exitStatus{-1};
    std::string output;
};

struct PipeCloser {
    void operator()(std::FILE* pipe) const { ::pclose(pipe); }
};

// The command's standard output and error, and its exit status (-1 when it did not exit).
inline CommandResult runCommand(const std::string& command) {
    std::unique_ptr<std::FILE, PipeCloser> pipe(::popen((command + " 2>&1").c_str(), "r"));
    CommandResult result;
    if (!pipe)
        return result;
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0)
        result.output.append(buffer, count);
    const int status = ::pclose(pipe.release());
    result.exitStatus = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

inline bool havePython() {
    return runCommand("command -v python3 >/dev/null").exitStatus == 0;
}

} // namespace interop
