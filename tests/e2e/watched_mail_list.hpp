// A message list kept open by `tintbox mail list --json --watch` in a second process, as a
// person keeps Mail open while changing settings: each drawing is one JSON line of a file. The
// process is ended with the test, also when an assertion stops it early.
//   WatchedMailList list(root, "Work", "INBOX");
//   ASSERT_TRUE(list.waitForDrawings(1));   ...   EXPECT_EQ(list.stop(), 0);
#pragma once

#include "tests/support/process.hpp"
#include "tests/support/temporary_folder.hpp"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace tintbox::testing {

class WatchedMailList {
public:
    WatchedMailList(const std::filesystem::path& root, const std::string& account,
                    const std::string& mailbox)
        : m_output(root / "watch.jsonl"), m_cache(root / "cache"),
          m_process({"/bin/sh", "-c", "exec \"$0\" \"$@\" > \"$OUTPUT\"", TINTBOX_EXECUTABLE,
                     "mail", "list", "--account", account, "--mailbox", mailbox, "--json=views",
                     "--watch", "--watch-seconds", "90"},
                    {{"TINTBOX_ROOT", root.c_str()},
                     {"OUTPUT", m_output.c_str()},
                     {"XDG_CACHE_HOME", m_cache.c_str()}}) {}
    WatchedMailList(const WatchedMailList&) = delete;
    WatchedMailList& operator=(const WatchedMailList&) = delete;
    ~WatchedMailList() { terminate(); }

    // Every complete drawing so far (a line still being written is left out).
    std::vector<nlohmann::json> drawings() const {
        std::vector<nlohmann::json> lines;
        std::string text = fileContents(m_output);
        text.erase(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            if (!line.empty())
                lines.push_back(nlohmann::json::parse(line));
        return lines;
    }

    // Waits up to a minute for at least count drawings.
    bool waitForDrawings(std::size_t count) const {
        return waitUntil([&] { return drawings().size() >= count; });
    }

    // Waits up to a minute for a drawing, the latest one, that satisfies done.
    bool waitForDrawing(const std::function<bool(const nlohmann::json&)>& done) const {
        return waitUntil([&] {
            const auto lines = drawings();
            return !lines.empty() && done(lines.back());
        });
    }

    const std::filesystem::path& output() const { return m_output; }

    // Ends the list as a person quitting it would, and gives its exit status.
    int stop() {
        terminate();
        return m_process.wait().exitStatus;
    }

private:
    static bool waitUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < deadline) {
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    void terminate() {
        if (m_process.pid() > 0)
            ::kill(m_process.pid(), SIGTERM);
    }

    std::filesystem::path m_output;
    std::filesystem::path m_cache;
    Process m_process;
};

} // namespace tintbox::testing
