// The colour cell's reading and writing of the settings file: the stored colour of a key with
// the alpha levels of its three previews and the picker type, and the save of one colour (an
// account's entry, or the "hexColor" of one filter record) into the whole file.
//   StoredColour stored = loadStoredColour(settings, ColourKey::parse("Work"), "#FFFFFF");
//   saveColour(path, ColourKey::parse("Color Value 2"), "#FF8000");
#pragma once

#include "pane/colour/colour_key.hpp"
#include "platform/foundation/value.hpp"

#include <filesystem>
#include <optional>
#include <string>

namespace tintbox::pane {

// Opacities (0 to 1) of the "MailBox", "List" and "Message" previews.
struct PreviewAlphas {
    float mailBox{0.25f};
    float list{0.25f};
    float message{0.25f};
};

struct StoredColour {
    std::string colour;
    PreviewAlphas alphas;
    int pickerType{0};
};

// What the cell shows for key from the settings dictionary; `fallback` is the colour when the
// settings hold none for the key.
StoredColour loadStoredColour(const foundation::Dictionary& settings, const ColourKey& key,
                              std::string fallback);

// As loadStoredColour, from a settings file; the fallback and the default levels when the
// file cannot be read.
StoredColour loadStoredColour(const std::filesystem::path& file, const ColourKey& key,
                              std::string fallback);

// Rereads the file, stores hex under the key and writes the whole file back atomically.
// Writes nothing (false) when the file cannot be read, or for a filter colour whose record
// does not exist (no "filtersEnabled", an index outside it, or a record that is not a
// dictionary), so that a stale index never damages the list.
bool saveColour(const std::filesystem::path& file, const ColourKey& key, const std::string& hex);

} // namespace tintbox::pane
