// The settings file as the settings panes read and write it: the whole file as
// a dictionary (empty when unreadable), and one value stored on top of the file as it is on
// disk, or any change made to the file as it is on disk, followed by the change notification.
//   foundation::Dictionary copy = loadSettingsFile();   storeSettingsValue("listWidth", 4);
#pragma once

#include "platform/foundation/dictionary_file_update.hpp"
#include "platform/foundation/value.hpp"

#include <functional>
#include <string>

namespace tintbox::pane {

// The settings file's content; an empty dictionary when it is missing or not a dictionary.
foundation::Dictionary loadSettingsFile();

// Rereads the file under the writers' lock (so that changes made meanwhile by other panes and
// commands survive), sets key to value (a null value removes it), writes the whole file
// atomically and posts the change notification, whatever the write's outcome; a failed write
// or an unreadable file kept aside is shown in an alert. Answers the dictionary as written.
foundation::Dictionary storeSettingsValue(const std::string& key, foundation::Value value);

// Rereads the file under the writers' lock and hands it to `change`; when change answers true,
// writes the whole file atomically and posts the change notification, whatever the write's
// outcome (reported as storeSettingsValue does). Answers the
// dictionary as reread (and changed), so a pane's copy can take it.
foundation::Dictionary
updateSettingsFile(const std::function<bool(foundation::Dictionary&)>& change);

// Tells the user, with an alert, of a settings write that failed or that kept an unreadable file
// aside; nothing for a write that simply worked.
void reportSettingsWrite(const foundation::DictionaryFileUpdate& update);

} // namespace tintbox::pane
