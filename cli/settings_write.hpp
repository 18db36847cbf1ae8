// The configuration commands' one way to change the settings file: the panes' own write path
// (reread the file, change what is asked, write it whole and atomically, post the change
// notification), so that a command and a pane never differ in what they leave behind.
//   changeSettings([](foundation::Dictionary& fresh) { fresh["enabled"] = true; return true; });
#pragma once

#include "platform/foundation/value.hpp"

#include <functional>

namespace tintbox::cli {

// Rereads the device root's settings file and hands it to `change`; writes it when change
// answers true. A file that exists but is not a settings dictionary is refused (InputError)
// before anything is written, so that nothing of it is lost. Answers the dictionary as written.
foundation::Dictionary changeSettings(const std::function<bool(foundation::Dictionary&)>& change);

// The device root's settings as a command reads them: empty when there is no file yet, an
// InputError when there is one that cannot be read as settings.
foundation::Dictionary currentSettings();

} // namespace tintbox::cli
