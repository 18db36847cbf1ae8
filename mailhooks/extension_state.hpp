// The mail extension's process-wide state: the settings snapshot every replaced method reads,
// the snapshot's filters compiled for matching, and the quick-filter reset flag that the message
// list toolbar sets and the mailbox list clears. Main thread only; lives as long as the process.
//   if (!extensionState().snapshot.enabled) return;
#pragma once

#include "engine/matcher.hpp"
#include "settings/snapshot.hpp"

namespace tintbox::mailhooks {

struct ExtensionState {
    settings::SettingsSnapshot snapshot{};
    // snapshot.filters ready for matching (each pattern compiled at its first search); rebuilt
    // by compileFilters() whenever the snapshot is reloaded, which also gives patterns retired
    // by the search time limit another chance.
    engine::FilterSet filters{};
    // Set each time the message list is shown with its quick filter on; cleared when the
    // mailbox list is about to be shown or a folder list finds its account colour, so that the
    // next showing of the message list checks for its quick filter bar again.
    bool quickFilterReset{false};

    void compileFilters() { filters = engine::FilterSet(snapshot.filters); }
};

ExtensionState& extensionState();

} // namespace tintbox::mailhooks
