// Test fixture for the settings folder: a temporary folder holding one settings file, written
// with the platform's atomic property-list writer, and a fresh snapshot to load it into.
#pragma once

#include "platform/foundation/property_list.hpp"
#include "platform/foundation/value.hpp"
#include "settings/snapshot.hpp"
#include "tests/support/temporary_folder.hpp"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace tintbox::settings::testing {

using tintbox::testing::TemporaryFolder;

class SettingsFileTest : public ::testing::Test {
protected:
    void writeSettings(const foundation::Value& root) const {
        std::string error;
        ASSERT_TRUE(foundation::writePropertyListAtomically(root, settingsFile, &error)) << error;
    }

    TemporaryFolder folder;
    std::filesystem::path settingsFile = folder.path() / "net.quillward.tintbox.plist";
    SettingsSnapshot snapshot;
};

} // namespace tintbox::settings::testing
