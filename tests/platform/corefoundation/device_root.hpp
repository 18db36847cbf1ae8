// Test fixture: a fresh device root (TINTBOX_ROOT) for each test, and the notify folder in it.
#pragma once

#include "tests/support/temporary_folder.hpp"

#include <filesystem>
#include <gtest/gtest.h>

namespace corefoundation::testing {

class TemporaryDeviceRoot : public ::testing::Test {
protected:
    std::filesystem::path notifyFolder() const { return root / "private/var/run/notify"; }

    tintbox::testing::TemporaryDeviceRoot deviceRoot;
    const std::filesystem::path root{deviceRoot.path()};
};

} // namespace corefoundation::testing
