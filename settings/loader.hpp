// Fills the mail extension's SettingsSnapshot from the settings file. loadSettings runs once at
// start and settingsDidChange on every change notification; both read the whole file each time.
// A missing or unreadable file switches highlighting off and leaves every other field as it was.
#pragma once

#include "platform/foundation/value.hpp"
#include "settings/snapshot.hpp"

#include <filesystem>
#include <vector>

namespace tintbox::settings {

// The host file of the settings file under the current device root.
std::filesystem::path settingsFilePath();

// Rereads settingsFile into the snapshot. Keys absent from the file keep their previous values,
// except the four band keys of each filter area, which return to their defaults.
void loadSettings(SettingsSnapshot& snapshot, const std::filesystem::path& settingsFile);

// The change notification's work: flag the change, drop the old dictionary, reload.
void settingsDidChange(SettingsSnapshot& snapshot, const std::filesystem::path& settingsFile);

// The usable records of a filtersEnabled value, in order: records with an entry "string", without
// a colour string other than "#FFFFFF", or without a non-empty pattern are left out, and empty
// patterns are removed from the records kept. A value that is not an array, an entry that is not
// a dictionary and a pattern that is not a string are left out too. nullptr gives an empty list.
std::vector<foundation::Dictionary> cleanFilterList(const foundation::Value* filtersEnabled);

} // namespace tintbox::settings
