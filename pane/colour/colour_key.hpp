// The colour key of a colour selector pane; parsed by the settings store, which the command line
// shares (settings/colour_key.hpp).
#pragma once

#include "settings/colour_key.hpp"

namespace tintbox::pane {

using settings::ColourKey;
using settings::kFilterColourPrefix;

} // namespace tintbox::pane
