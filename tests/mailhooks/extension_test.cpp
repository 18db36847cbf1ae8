#include "mailhooks/account_registry.hpp"
#include "platform/corefoundation/notification_center.hpp"
#include "platform/dispatch/run_loop.hpp"
#include "platform/foundation/device_path.hpp"
#include "platform/foundation/property_list.hpp"
#include "settings/keys.hpp"
#include "tests/mailhooks/extension_fixture.hpp"
#include "tests/support/process.hpp"

#include <filesystem>

namespace tintbox::testing {
namespace {

namespace fs = std::filesystem;

class SettingsReloadTest : public ExtensionTest {};

TEST_F(SettingsReloadTest, NotificationReloadsTheSnapshotAndThePickerReloadsOnce) {
    const fs::path file = extensionDeviceRoot() / "private/var/mobile/Library/Preferences" /
                          "net.quillward.tintbox.plist";
    fs::create_directories(file.parent_path());
    ASSERT_TRUE(foundation::writePropertyListAtomically(
        foundation::Value(foundation::Dictionary{{"enabled", true}, {"listWidthType", 10}}), file));
    snapshot().enabled = false;

    corefoundation::CFNotificationCenterPostNotification(
        corefoundation::CFNotificationCenterGetDarwinNotifyCenter(),
        settings::kChangeNotificationName, nullptr, nullptr, true);
    ASSERT_TRUE(dispatch::RunLoop::main().runUntil([] { return snapshot().settingsChanged; }, 5.0));
    EXPECT_TRUE(snapshot().enabled);
    EXPECT_EQ(snapshot().listWidthType, 10);

    auto picker = UIViewController::create<TestMailboxPicker>();
    picker->table = objc::make<CountingTableView>();
    for (int i = 0; i < 2; ++i)
        objc::msgSend<void(bool)>(picker, selectorNamed("viewWillAppear:"), true);
    EXPECT_EQ(picker->table->reloads, 1);
    EXPECT_FALSE(snapshot().settingsChanged);
}

TEST(AccountRegistry, ListsMailAccountsOnceAndLeavesLocalOnesOut) {
    registerTestHostClasses();
    auto account = [](objc::Ref<TestAccount> made, const char* name) {
        made->name = name;
        return objc::Ref<NSObject>(made);
    };
    activeTestAccounts() = {account(objc::make<TestAccount>(), "Work"),
                            account(objc::make<TestLocalAccount>(), "On My iPhone"),
                            account(objc::make<TestAccount>(), "Home"),
                            account(objc::make<TestAccount>(), "Work")};
    EXPECT_EQ(mailhooks::accountRegistry(),
              (foundation::Dictionary{{"Home", "YES"}, {"Work", "YES"}}));
    activeTestAccounts().clear();
}

// The real library, opened by a stand-in Mail launch in a process of its own.
class LaunchTest : public ::testing::Test {
protected:
    // The device's preferences folder, where the registry goes.
    void SetUp() override { fs::create_directories(registryFile().parent_path()); }

    ProcessResult launch(const char* coreFoundationVersion, bool bare = false) {
        std::vector<std::string> argv{MAILHOOKS_LAUNCH_PROBE};
        if (bare)
            argv.push_back("--bare");
        argv.push_back(TINTBOX_DYLIB);
        return Process(argv, {{"TINTBOX_ROOT", root.path().c_str()},
                              {"TINTBOX_CF_VERSION", coreFoundationVersion}})
            .wait();
    }
    fs::path registryFile() const {
        return root.path() / "private/var/mobile/Library/Preferences" /
               "net.quillward.tintboxaccounts.plist";
    }

    TemporaryFolder root;
};

TEST_F(LaunchTest, OnIOS7TheLaunchWritesTheMailAccounts) {
    const ProcessResult result = launch("847.20");
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(foundation::dictionaryWithContentsOfFile(registryFile()),
              (foundation::Dictionary{{"Home", "YES"}, {"Work", "YES"}}));
}

TEST_F(LaunchTest, OnIOS8TheLaunchIsLeftAlone) {
    const ProcessResult result = launch("1140.10");
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_FALSE(fs::exists(registryFile()));
}

TEST_F(LaunchTest, AProcessWithoutMailsClassesLoadsTheLibraryUnharmed) {
    const ProcessResult result = launch("847.20", true);
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_NE(result.err.find("nothing was replaced"), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(registryFile()));
}

} // namespace
} // namespace tintbox::testing
