// The test pane bundle (bundle/: Info.plist, the "TestRoot" specifier list and the TestPanes
// module built beside the tests) staged into a bundle folder, as an installer lays it out.
// A process loads the bundle's code once, so each test binary stages it once.
//   NSBundle* bundle = NSBundle::bundleWithPath(tintbox::testing::sharedTestBundle());
#pragma once

#include "tests/support/temporary_folder.hpp"

#include <filesystem>

namespace tintbox::testing {

inline void stageTestBundle(const std::filesystem::path& folder) {
    const std::filesystem::path sources = PREFERENCES_TEST_BUNDLE_SOURCES;
    std::filesystem::create_directories(folder);
    const auto overwrite = std::filesystem::copy_options::overwrite_existing;
    std::filesystem::copy_file(sources / "Info.plist", folder / "Info.plist", overwrite);
    std::filesystem::copy_file(sources / "TestRoot.plist", folder / "TestRoot.plist", overwrite);
    std::filesystem::copy_file(PREFERENCES_TEST_BUNDLE_BINARY, folder / "TestPanes", overwrite);
}

// A staged bundle that lives as long as the test process.
inline std::filesystem::path sharedTestBundle() {
    static const TemporaryFolder folder;
    static const std::filesystem::path bundle = [] {
        stageTestBundle(folder / "TestPanes.bundle");
        return folder / "TestPanes.bundle";
    }();
    return bundle;
}

} // namespace tintbox::testing
