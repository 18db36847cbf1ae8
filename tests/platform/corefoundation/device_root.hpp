// Test fixture: a fresh device root in a temporary folder, selected through TINTBOX_ROOT for
// the test's lifetime and removed afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace corefoundation::testing {

class TemporaryDeviceRoot : public ::testing::Test {
protected:
    TemporaryDeviceRoot() {
        if (const char* previous = std::getenv("TINTBOX_ROOT"))
            m_previous = previous;
        std::string pattern = (std::filesystem::temp_directory_path() / "tintbox-cf-XXXXXX");
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        root = pattern;
        ::setenv("TINTBOX_ROOT", root.c_str(), 1);
    }
    ~TemporaryDeviceRoot() override {
        if (m_previous)
            ::setenv("TINTBOX_ROOT", m_previous->c_str(), 1);
        else
            ::unsetenv("TINTBOX_ROOT");
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    std::filesystem::path notifyFolder() const { return root / "private/var/run/notify"; }

    std::filesystem::path root;

private:
    std::optional<std::string> m_previous;
};

} // namespace corefoundation::testing
