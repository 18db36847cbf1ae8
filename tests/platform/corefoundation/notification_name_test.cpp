#include "platform/corefoundation/notification_name.hpp"

#include <gtest/gtest.h>
#include <string>

namespace corefoundation {
namespace {

struct NameCase {
    std::string name;
    bool valid;
};

class NotificationNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(NotificationNameTest, OnlyPlainFileNamesAreAccepted) {
    EXPECT_EQ(isValidNotificationName(GetParam().name), GetParam().valid) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Names, NotificationNameTest,
                         ::testing::Values(NameCase{"net.quillward.tintbox.preferences", true},
                                           NameCase{"a", true}, NameCase{"a..b", true},
                                           NameCase{".hidden", true},
                                           NameCase{std::string(255, 'n'), true},
                                           NameCase{"", false}, NameCase{".", false},
                                           NameCase{"..", false}, NameCase{"../escape", false},
                                           NameCase{"a/b", false}, NameCase{"/abs", false},
                                           NameCase{std::string("nul\0byte", 8), false},
                                           NameCase{std::string(256, 'n'), false}));

} // namespace
} // namespace corefoundation
