// The mail extension's process-wide state: the settings snapshot every replaced method reads,
// the compiled-pattern cache of the matcher, and the quick-filter reset flag that the message
// list toolbar sets and the mailbox list clears. Main thread only; lives as long as the process.
//   if (!extensionState().snapshot.enabled) return;
#pragma once

#include "engine/pattern_cache.hpp"
#include "settings/snapshot.hpp"

namespace tintbox::mailhooks {

struct ExtensionState {
    settings::SettingsSnapshot snapshot{};
    engine::PatternCache patterns{};
    // Set each time the message list is shown with its quick filter on; cleared when the
    // mailbox list is about to be shown or a folder list finds its account colour, so that the
    // next showing of the message list checks for its quick filter bar again.
    bool quickFilterReset{false};
};

ExtensionState& extensionState();

} // namespace tintbox::mailhooks
