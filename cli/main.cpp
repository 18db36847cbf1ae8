// tintbox: the command for people and tests. Exit status: 0 done, 1 `check` found a problem,
// 2 bad arguments or input, or output that could not be written.
#include "cli/command_line.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// The font library's suppressed leak would otherwise be reported on standard error at every
// exit, after the one line that callers read. Read at start-up, so it must be the program's.
extern "C" const char* __lsan_default_options() {
    return "print_suppressions=0";
}
#endif

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    int status = tintbox::cli::runCommandLine(words, std::cout, std::cerr);
    // A full disk or a closed pipe must not pass for success.
    errno = 0;
    std::cout.flush();
    if (!std::cout || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int error = errno;
        std::cerr << "tintbox: cannot write the output"
                  << (error ? std::string(": ") + std::strerror(error) : std::string()) << '\n';
        status = 2;
    }
    return status;
}
