// The platform's main run loop inside GLib's main loop, on the same thread: a GLib source that
// watches the run loop's read descriptors and sleeps exactly until its next timer, so neither
// loop polls the other. Each turn that ran something is reported (the window redraws then).
// Owned by the window; attached to the default main context while it lives.
#pragma once

#include <functional>
#include <map>

typedef struct _GSource GSource;

namespace desktop {

class RunLoopSource {
public:
    explicit RunLoopSource(std::function<void()> afterTurn);
    ~RunLoopSource();
    RunLoopSource(const RunLoopSource&) = delete;
    RunLoopSource& operator=(const RunLoopSource&) = delete;

    // GLib's callbacks (internal).
    int prepare(int* timeoutMilliseconds);
    bool check();
    void dispatch();

private:
    // Keeps GLib's descriptor list equal to the run loop's read sources.
    void syncDescriptors();

    GSource* m_source{nullptr};
    std::function<void()> m_afterTurn;
    std::map<int, void*> m_descriptorTags;
};

} // namespace desktop
