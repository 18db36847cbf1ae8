// Runs another program for a test: to completion with its standard output, standard error and
// exit status, or in the background (waited for when the handle goes). Environment entries
// override the test's own; a null value removes the variable.
#pragma once

#include "platform/foundation/file_descriptor.hpp"

#include <cstring>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace tintbox::testing {

struct ProcessResult {
    int exitStatus{-1}; // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

using EnvironmentOverrides = std::map<std::string, const char*>;

class Process {
public:
    Process(const std::vector<std::string>& argv, const EnvironmentOverrides& environment = {}) {
        foundation::FileDescriptor outWrite, errWrite;
        makePipe(m_out, outWrite);
        makePipe(m_err, errWrite);

        std::vector<std::string> arguments = argv;
        std::vector<char*> argvPointers;
        for (auto& argument : arguments)
            argvPointers.push_back(argument.data());
        argvPointers.push_back(nullptr);

        std::vector<std::string> variables;
        for (char** entry = environ; *entry; ++entry) {
            const std::string variable(*entry);
            if (!environment.contains(variable.substr(0, variable.find('='))))
                variables.push_back(variable);
        }
        for (const auto& [name, value] : environment)
            if (value)
                variables.push_back(name + "=" + value);
        std::vector<char*> envp;
        for (auto& variable : variables)
            envp.push_back(variable.data());
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, outWrite.get(), STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, errWrite.get(), STDERR_FILENO);
        const int error = ::posix_spawnp(&m_pid, argvPointers[0], &actions, nullptr,
                                         argvPointers.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (error != 0)
            throw std::runtime_error("cannot start " + argv.front() + ": " + std::strerror(error));
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process() {
        if (m_pid > 0)
            wait();
    }

    pid_t pid() const { return m_pid; }

    // Reads both outputs to their end and reaps the program.
    ProcessResult wait() {
        ProcessResult result;
        drain(result);
        int status = 0;
        if (::waitpid(m_pid, &status, 0) == m_pid && WIFEXITED(status))
            result.exitStatus = WEXITSTATUS(status);
        m_pid = -1;
        return result;
    }

private:
    static void makePipe(foundation::FileDescriptor& readEnd,
                         foundation::FileDescriptor& writeEnd) {
        int fds[2] = {-1, -1};
        if (::pipe2(fds, O_CLOEXEC) != 0)
            throw std::runtime_error("cannot create a pipe");
        readEnd = foundation::FileDescriptor(fds[0]);
        writeEnd = foundation::FileDescriptor(fds[1]);
    }

    // Both pipes at once, so that a program filling one of them cannot block.
    void drain(ProcessResult& result) {
        pollfd fds[2] = {{m_out.get(), POLLIN, 0}, {m_err.get(), POLLIN, 0}};
        std::string* sinks[2] = {&result.out, &result.err};
        int open = 2;
        while (open > 0) {
            if (::poll(fds, 2, -1) < 0)
                break;
            for (int i = 0; i < 2; ++i) {
                if (fds[i].fd < 0 || fds[i].revents == 0)
                    continue;
                char buffer[4096];
                const ssize_t count = ::read(fds[i].fd, buffer, sizeof buffer);
                if (count > 0) {
                    sinks[i]->append(buffer, static_cast<std::size_t>(count));
                } else {
                    fds[i].fd = -1;
                    --open;
                }
            }
        }
    }

    pid_t m_pid{-1};
    foundation::FileDescriptor m_out;
    foundation::FileDescriptor m_err;
};

inline ProcessResult runProcess(const std::vector<std::string>& argv,
                                const EnvironmentOverrides& environment = {}) {
    return Process(argv, environment).wait();
}

} // namespace tintbox::testing
