#include "platform/desktop/run_loop_source.hpp"

#include "platform/dispatch/run_loop.hpp"

#include <cmath>
#include <glib.h>
#include <limits>
#include <set>

namespace desktop {
namespace {

struct LoopSource {
    GSource base;
    RunLoopSource* owner;
};

RunLoopSource& ownerOf(GSource* source) {
    return *reinterpret_cast<LoopSource*>(source)->owner;
}

gboolean prepareSource(GSource* source, gint* timeout) {
    return ownerOf(source).prepare(timeout);
}

gboolean checkSource(GSource* source) {
    return ownerOf(source).check();
}

gboolean dispatchSource(GSource* source, GSourceFunc, gpointer) {
    ownerOf(source).dispatch();
    return G_SOURCE_CONTINUE;
}

GSourceFuncs kSourceFuncs = {prepareSource, checkSource, dispatchSource, nullptr, nullptr, nullptr};

} // namespace

RunLoopSource::RunLoopSource(std::function<void()> afterTurn) : m_afterTurn(std::move(afterTurn)) {
    m_source = g_source_new(&kSourceFuncs, sizeof(LoopSource));
    reinterpret_cast<LoopSource*>(m_source)->owner = this;
    g_source_set_name(m_source, "tintbox run loop");
    g_source_set_priority(m_source, G_PRIORITY_DEFAULT);
    syncDescriptors();
    g_source_attach(m_source, nullptr);
}

RunLoopSource::~RunLoopSource() {
    g_source_destroy(m_source);
    g_source_unref(m_source);
}

void RunLoopSource::syncDescriptors() {
    const auto current = dispatch::RunLoop::main().readDescriptors();
    const std::set<int> wanted(current.begin(), current.end());
    for (auto it = m_descriptorTags.begin(); it != m_descriptorTags.end();) {
        if (wanted.count(it->first)) {
            ++it;
            continue;
        }
        g_source_remove_unix_fd(m_source, it->second);
        it = m_descriptorTags.erase(it);
    }
    for (const int fd : wanted)
        if (!m_descriptorTags.count(fd))
            m_descriptorTags[fd] = g_source_add_unix_fd(
                m_source, fd, static_cast<GIOCondition>(G_IO_IN | G_IO_HUP | G_IO_ERR));
}

int RunLoopSource::prepare(int* timeoutMilliseconds) {
    syncDescriptors();
    const auto due = dispatch::RunLoop::main().secondsUntilDue();
    if (!due) {
        *timeoutMilliseconds = -1;
        return false;
    }
    if (*due <= 0) {
        *timeoutMilliseconds = 0;
        return true;
    }
    // Rounded up: waking a little early would only find nothing due and sleep again.
    const double milliseconds = std::ceil(*due * 1000.0);
    *timeoutMilliseconds = milliseconds >= std::numeric_limits<int>::max()
                               ? std::numeric_limits<int>::max()
                               : static_cast<int>(milliseconds);
    return false;
}

bool RunLoopSource::check() {
    for (const auto& [fd, tag] : m_descriptorTags)
        if (g_source_query_unix_fd(m_source, tag) != 0)
            return true;
    const auto due = dispatch::RunLoop::main().secondsUntilDue();
    return due && *due <= 0;
}

void RunLoopSource::dispatch() {
    if (dispatch::RunLoop::main().runOnce(0.0) && m_afterTurn)
        m_afterTurn();
}

} // namespace desktop
