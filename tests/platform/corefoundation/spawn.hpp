// Test helper: runs notify_test_helper as a separate process with the test's environment
// (plus overrides), either to completion with its output, or in the background.
#pragma once

#include "platform/dispatch/unique_fd.hpp"

#include <cstring>
#include <fcntl.h>
#include <map>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace corefoundation::testing {

struct HelperResult {
    int status{-1}; // exit status, -1 when it did not exit normally
    std::string output{};
};

// A running helper; waits for it when destroyed.
class HelperProcess {
public:
    // `environment` entries override the test's own; a null value removes the variable.
    HelperProcess(const std::vector<std::string>& arguments,
                  const std::map<std::string, const char*>& environment = {}) {
        int fds[2] = {-1, -1};
        if (::pipe2(fds, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe2 failed");
        m_output.reset(fds[0]);
        dispatch::UniqueFd writeEnd(fds[1]);

        std::vector<std::string> strings{NOTIFY_TEST_HELPER};
        strings.insert(strings.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (auto& s : strings)
            argv.push_back(s.data());
        argv.push_back(nullptr);

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
        for (auto& v : variables)
            envp.push_back(v.data());
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, writeEnd.get(), STDOUT_FILENO);
        const int error =
            ::posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (error != 0)
            throw std::runtime_error(std::string("posix_spawn: ") + std::strerror(error));
    }
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;
    ~HelperProcess() {
        if (m_pid > 0)
            wait();
    }

    HelperResult wait() {
        HelperResult result;
        char buffer[256];
        ssize_t count = 0;
        while ((count = ::read(m_output.get(), buffer, sizeof buffer)) > 0)
            result.output.append(buffer, static_cast<std::size_t>(count));
        int status = 0;
        if (::waitpid(m_pid, &status, 0) == m_pid && WIFEXITED(status))
            result.status = WEXITSTATUS(status);
        m_pid = -1;
        return result;
    }

private:
    pid_t m_pid{-1};
    dispatch::UniqueFd m_output{};
};

inline HelperResult runHelper(const std::vector<std::string>& arguments,
                              const std::map<std::string, const char*>& environment = {}) {
    return HelperProcess(arguments, environment).wait();
}

} // namespace corefoundation::testing
