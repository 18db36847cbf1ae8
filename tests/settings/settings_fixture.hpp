// Test fixture for the settings folder: a temporary folder holding one settings file, written
// with the platform's atomic property-list writer, and a fresh snapshot to load it into.
#pragma once

#include "platform/foundation/property_list.hpp"
#include "platform/foundation/value.hpp"
#include "settings/snapshot.hpp"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace tintbox::settings::testing {

// A folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tintbox-settings-XXXXXX");
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        m_path = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

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
