// The fixture of the end-to-end tests that run the built `tintbox` on a device root of their own,
// made with `tintbox init --sample`: the command on that root, and its settings file.
//   class MailCommand : public SampleDeviceTest {};
//   TEST_F(MailCommand, ...) { auto result = tintbox({"mail", "list"}); ... }
#pragma once

#include "platform/foundation/property_list.hpp"
#include "tests/support/process.hpp"
#include "tests/support/temporary_folder.hpp"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace tintbox::testing {

inline constexpr const char* kSampleSettingsFile =
    "private/var/mobile/Library/Preferences/net.quillward.tintbox.plist";

class SampleDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto made = tintbox({"init", "--sample"});
        ASSERT_EQ(made.exitStatus, 0) << made.err;
    }

    // Runs the command on this root, with plain text (NO_COLOR) unless extra says otherwise,
    // and a mail cache of the root's own.
    ProcessResult tintbox(std::vector<std::string> arguments,
                          const EnvironmentOverrides& extra = {}) const {
        arguments.insert(arguments.begin(), TINTBOX_EXECUTABLE);
        const std::string cache = (root.path() / "cache").string();
        EnvironmentOverrides environment{{"TINTBOX_ROOT", root.path().c_str()},
                                         {"NO_COLOR", "1"},
                                         {"XDG_CACHE_HOME", cache.c_str()}};
        for (const auto& [name, value] : extra)
            environment[name] = value;
        return runProcess(arguments, environment);
    }

    foundation::Dictionary settings() const {
        return foundation::dictionaryWithContentsOfFile(root / kSampleSettingsFile).value();
    }

    // Changes one key of the settings file as another program would (no notification).
    void changeSettings(const std::string& key, foundation::Value value) const {
        auto changed = settings();
        changed[key] = std::move(value);
        std::string error;
        ASSERT_TRUE(foundation::writePropertyListAtomically(foundation::Value(changed),
                                                            root / kSampleSettingsFile, &error))
            << error;
    }

    TemporaryDeviceRoot root;
};

} // namespace tintbox::testing
