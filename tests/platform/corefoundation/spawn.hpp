// Test helper: runs notify_test_helper as a separate process with the test's environment
// (plus overrides), to completion or in the background.
#pragma once

#include "tests/support/process.hpp"

#include <string>
#include <vector>

namespace corefoundation::testing {

inline std::vector<std::string> helperCommand(const std::vector<std::string>& arguments) {
    std::vector<std::string> command{NOTIFY_TEST_HELPER};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return command;
}

class HelperProcess : public tintbox::testing::Process {
public:
    explicit HelperProcess(const std::vector<std::string>& arguments,
                           const tintbox::testing::EnvironmentOverrides& environment = {})
        : Process(helperCommand(arguments), environment) {}
};

inline tintbox::testing::ProcessResult
runHelper(const std::vector<std::string>& arguments,
          const tintbox::testing::EnvironmentOverrides& environment = {}) {
    return HelperProcess(arguments, environment).wait();
}

} // namespace corefoundation::testing
