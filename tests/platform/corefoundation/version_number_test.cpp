#include "platform/corefoundation/version_number.hpp"
#include "spawn.hpp"

#include <gtest/gtest.h>

namespace corefoundation {
namespace {

TEST(VersionNumberTest, SetterChangesWhatTheVariableReads) {
    const double original = kCFCoreFoundationVersionNumber;
    setCoreFoundationVersionNumber(kCFCoreFoundationVersionNumber_iOS_7_0);
    EXPECT_TRUE(kCFCoreFoundationVersionNumber < 1140.1);
    setCoreFoundationVersionNumber(kCFCoreFoundationVersionNumber_iOS_8_0);
    EXPECT_FALSE(kCFCoreFoundationVersionNumber < 1140.1);
    setCoreFoundationVersionNumber(original);
}

struct EnvironmentCase {
    const char* value; // nullptr: variable unset
    const char* printed;
};

class VersionEnvironmentTest : public ::testing::TestWithParam<EnvironmentCase> {};

// Read once at start, so each case needs a process of its own.
TEST_P(VersionEnvironmentTest, StartValueComesFromTintboxCfVersion) {
    const auto result = testing::runHelper({"version"}, {{"TINTBOX_CF_VERSION", GetParam().value}});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, std::string(GetParam().printed) + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Values, VersionEnvironmentTest,
    ::testing::Values(EnvironmentCase{nullptr, "1140.10"}, EnvironmentCase{"", "1140.10"},
                      EnvironmentCase{"847.20", "847.20"}, EnvironmentCase{"1348", "1348.00"},
                      EnvironmentCase{"ios7", "1140.10"}, EnvironmentCase{"847.2x", "1140.10"}));

} // namespace
} // namespace corefoundation
