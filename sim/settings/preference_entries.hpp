// The panes that the Settings app lists below its own rows: one entry file per installed pane
// in /Library/PreferenceLoader/Preferences, whose "entry" dictionary names the row's label and
// the bundle (/Library/PreferenceBundles/<bundle>.bundle) that the row opens.
//   for (const PreferenceEntry& entry : readPreferenceEntries().entries) ... entry.label ...
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tintbox::sim::settings {

inline constexpr std::string_view kPreferenceEntryFolder = "/Library/PreferenceLoader/Preferences";

struct PreferenceEntry {
    std::string label;  // the row's title in the Settings app
    std::string bundle; // the bundle's name, without ".bundle"
    std::string detail; // the pane class the row opens; the principal class if empty
    std::filesystem::path bundleFolder; // host path of the bundle folder
    std::filesystem::path entryFile;    // host path of the entry file
};

struct PreferenceEntries {
    std::vector<PreferenceEntry> entries; // sorted by label, case-insensitively
    std::vector<std::string> warnings;    // one line per entry file that lists nothing
};

// Reads the entry files of the device root's entry folder (a missing folder lists nothing).
PreferenceEntries readPreferenceEntries();

} // namespace tintbox::sim::settings
