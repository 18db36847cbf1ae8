#include "sim/mail/maildir_watcher.hpp"

#include <array>
#include <stdexcept>
#include <sys/inotify.h>
#include <unistd.h>

namespace tintbox::sim::mail {

MaildirWatcher::MaildirWatcher(const std::vector<std::filesystem::path>& folders,
                               std::function<void()> changed, double settleSeconds)
    : m_inotify(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), m_changed(std::move(changed)),
      m_settleSeconds(settleSeconds) {
    if (!m_inotify)
        throw std::runtime_error("cannot watch the mail folders (inotify unavailable)");
    constexpr uint32_t kEvents =
        IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE | IN_ATTRIB;
    for (const auto& folder : folders)
        for (const char* sub : {"new", "cur"})
            ::inotify_add_watch(m_inotify.get(), (folder / sub).c_str(), kEvents);
    m_source = dispatch::RunLoop::main().addReadSource(m_inotify.get(), [this] { drain(); });
}

void MaildirWatcher::drain() {
    alignas(inotify_event) std::array<char, 8192> buffer{};
    while (::read(m_inotify.get(), buffer.data(), buffer.size()) > 0) {
    }
    // Restarting the timer on each batch reports a burst once, after it ends.
    m_pending = dispatch::RunLoop::main().addTimer(m_settleSeconds, [this] {
        m_pending = {};
        m_changed();
    });
}

} // namespace tintbox::sim::mail
