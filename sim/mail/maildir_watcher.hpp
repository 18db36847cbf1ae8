// Watching mailbox folders for new, removed and re-flagged mail: inotify on each folder's new/
// and cur/, read from the main run loop. Changes that arrive together (a delivery is a create
// in tmp/ and a rename into new/; a flag change a rename within cur/) are reported once, a
// moment after the last, so a burst of mail is one redraw.
//   MaildirWatcher watcher({inbox->folder()}, [&] { inbox->reload(); redraw(); });
#pragma once

#include "platform/dispatch/run_loop.hpp"
#include "platform/foundation/file_descriptor.hpp"

#include <filesystem>
#include <functional>
#include <vector>

namespace tintbox::sim::mail {

class MaildirWatcher {
public:
    // Throws std::runtime_error when inotify cannot be set up; folders whose new/ or cur/ is
    // missing are watched where they exist.
    MaildirWatcher(const std::vector<std::filesystem::path>& folders, std::function<void()> changed,
                   double settleSeconds = 0.1);
    MaildirWatcher(const MaildirWatcher&) = delete;
    MaildirWatcher& operator=(const MaildirWatcher&) = delete;

private:
    void drain();

    foundation::FileDescriptor m_inotify;
    std::function<void()> m_changed;
    double m_settleSeconds;
    dispatch::Registration m_source;
    dispatch::Registration m_pending;
};

} // namespace tintbox::sim::mail
