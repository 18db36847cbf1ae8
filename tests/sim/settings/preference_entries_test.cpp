// The Settings app lists a pane by its entry file: label and bundle name, sorted by label; a
// file that names no bundle, or a path instead of a name, lists nothing and says why.
#include "sim/settings/preference_entries.hpp"
#include "tests/support/temporary_folder.hpp"

#include <gtest/gtest.h>

namespace tintbox::sim::settings {
namespace {

using testing::TemporaryDeviceRoot;
using testing::writeFile;

std::string entryFile(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>" + body +
           "</dict></plist>\n";
}

std::string entry(const std::string& label, const std::string& bundle) {
    return entryFile("<key>entry</key><dict><key>label</key><string>" + label +
                     "</string><key>bundle</key><string>" + bundle +
                     "</string><key>detail</key><string>Root</string></dict>");
}

TEST(PreferenceEntries, ListsEachEntryByLabelWithItsBundleFolder) {
    TemporaryDeviceRoot root;
    const auto folder = root / "Library/PreferenceLoader/Preferences";
    writeFile(folder / "a.plist", entry("zeta", "Zeta"));
    writeFile(folder / "b.plist", entry("Alpha", "Alpha"));
    writeFile(folder / "notes.txt", "not an entry");

    const PreferenceEntries listed = readPreferenceEntries();
    ASSERT_EQ(listed.entries.size(), 2u);
    EXPECT_EQ(listed.entries[0].label, "Alpha");
    EXPECT_EQ(listed.entries[1].label, "zeta");
    EXPECT_EQ(listed.entries[1].detail, "Root");
    EXPECT_EQ(listed.entries[1].bundleFolder, root / "Library/PreferenceBundles/Zeta.bundle");
    EXPECT_TRUE(listed.warnings.empty());
}

TEST(PreferenceEntries, BrokenEntriesListNothingAndSayWhy) {
    TemporaryDeviceRoot root;
    const auto folder = root / "Library/PreferenceLoader/Preferences";
    writeFile(folder / "1.plist", "not a property list");
    writeFile(folder / "2.plist", entryFile("<key>label</key><string>No entry</string>"));
    writeFile(folder / "3.plist", entry("", "Nameless"));
    writeFile(folder / "4.plist", entry("Escape", "../../../tmp/x"));
    writeFile(folder / "5.plist", entry("Fine", "Fine"));

    const PreferenceEntries listed = readPreferenceEntries();
    ASSERT_EQ(listed.entries.size(), 1u);
    EXPECT_EQ(listed.entries[0].label, "Fine");
    ASSERT_EQ(listed.warnings.size(), 4u);
    for (const std::string& warning : listed.warnings)
        EXPECT_EQ(warning.find('\n'), std::string::npos) << warning;
}

TEST(PreferenceEntries, NoEntryFolderListsNothing) {
    TemporaryDeviceRoot root;
    const PreferenceEntries listed = readPreferenceEntries();
    EXPECT_TRUE(listed.entries.empty());
    EXPECT_TRUE(listed.warnings.empty());
}

} // namespace
} // namespace tintbox::sim::settings
