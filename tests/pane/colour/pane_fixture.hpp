// Fixture of the colour editing tests: a device root of the test's own with a settings file,
// specifiers as the specifier lists make them, the notification's trace in the notify folder,
// and Python's plistlib as an outside reader of the saved file.
#pragma once

#include "platform/corefoundation/notify_folder.hpp"
#include "platform/foundation/device_path.hpp"
#include "platform/foundation/property_list.hpp"
#include "platform/preferences/PSSpecifier.hpp"
#include "platform/uikit/UIAlertView.hpp"
#include "settings/keys.hpp"
#include "tests/support/process.hpp"
#include "tests/support/temporary_folder.hpp"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace tintbox::testing {

class PaneFixture : public ::testing::Test {
protected:
    void TearDown() override { UIAlertView::removeAllShownAlerts(); }

    std::filesystem::path settingsFile() const {
        return foundation::devicePath(settings::kSettingsFilePath);
    }
    void writeSettings(const foundation::Dictionary& settings) const {
        std::filesystem::create_directories(settingsFile().parent_path());
        ASSERT_TRUE(
            foundation::writePropertyListAtomically(foundation::Value(settings), settingsFile()));
    }
    foundation::Dictionary readSettings() const {
        return foundation::dictionaryWithContentsOfFile(settingsFile())
            .value_or(foundation::Dictionary{});
    }
    // The settings file as Python's plistlib reads it, printed as sorted JSON.
    std::string settingsThroughPlistlib() const {
        const ProcessResult result =
            runProcess({"python3", "-c",
                        "import json, plistlib, sys\n"
                        "with open(sys.argv[1], 'rb') as f:\n"
                        "    print(json.dumps(plistlib.load(f), sort_keys=True))",
                        settingsFile().string()});
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        return result.out;
    }
    bool notificationPosted() const {
        return std::filesystem::exists(corefoundation::notifyFolder() /
                                       std::string(settings::kChangeNotificationName));
    }
    void forgetNotifications() const {
        std::filesystem::remove_all(corefoundation::notifyFolder());
    }

    // A row as the specifier list "TintboxColorSelector" or an option pane's list makes it.
    static objc::Ref<PSSpecifier> cellSpecifier(const foundation::Dictionary& properties) {
        auto specifier = PSSpecifier::preferenceSpecifierNamed("", nullptr, nullptr, nullptr, Nil,
                                                               PSDefaultCell, Nil);
        for (const auto& [key, value] : properties)
            specifier->setPropertyForKey(value, key);
        return specifier;
    }

    TemporaryDeviceRoot root;
};

} // namespace tintbox::testing
