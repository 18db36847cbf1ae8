// Small pieces the colour and slider cells share: the whole number a slider value shows and
// stores, the number formatter's text, the settings file named by a cell's "defaults", and the
// change notification posted after a save.
//   int n = wholeSliderValue(42.996f);   // 43
#pragma once

#include "pane/settings_file.hpp"
#include "platform/foundation/dictionary_file_update.hpp"

#include <filesystem>
#include <optional>
#include <string>

namespace tintbox::pane {

// value × 100 rounded (halves away from zero), / 100, truncated toward zero: the whole part,
// except that a value within 0.005 below the next whole number counts as that number.
int wholeSliderValue(float value);

// A decimal number formatter with no fraction digits: rounds halves to even and groups
// thousands with ",".
std::string formattedWholeNumber(double value);

// The host file of "/var/mobile/Library/Preferences/<domain>.plist"; nothing for an empty
// domain or one that is not a plain file name.
std::optional<std::filesystem::path> domainSettingsFile(const std::string& domain);

// Posts the Darwin notification when the name is not empty.
void postChangeNotification(const std::string& name);

} // namespace tintbox::pane
