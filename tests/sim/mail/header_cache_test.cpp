#include "sim/mail/MailMessage.hpp"
#include "sim/mail/Mailbox.hpp"
#include "sim/mail/header_cache.hpp"
#include "sim/mail/mailbox_listing.hpp"
#include "sim/mail/sqlite.hpp"
#include "tests/sim/mail/maildir_fixture.hpp"

#include <array>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <map>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tintbox::testing {
namespace {

namespace fs = std::filesystem;
namespace mail = tintbox::sim::mail;

// A Maildir with three messages, one of them HTML, and a cache of its own in the same
// temporary folder, reached the way the app reaches it ($XDG_CACHE_HOME).
class HeaderCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        mail::HeaderCache::closeForProcess();
        deliver(folder, "cur", "1.a:2,S", sampleMessage("First", 1));
        deliver(folder, "cur", "2.b:2,", sampleMessage("Second", 2));
        deliver(folder, "new", "3.c",
                sampleMessage("Third", 3, "Content-Type: text/html; charset=utf-8\n") +
                    "<p>Dear <b>Sam</b>,</p><p>see you</p>\n");
    }
    void TearDown() override { mail::HeaderCache::closeForProcess(); }

    fs::path cacheFile() const { return temporary / "cache" / "tintbox" / "mail-cache.sqlite3"; }

    std::map<std::string, mail::ListedMessage> listed(mail::HeaderCache& cache) const {
        std::map<std::string, mail::ListedMessage> byName;
        for (auto& message : mail::listMailboxMessages(cache, folder))
            byName.emplace(message.file.uniqueName, std::move(message));
        return byName;
    }

    std::string subjectOf(mail::HeaderCache& cache, const std::string& uniqueName) const {
        auto summary = cache.summaryOf(folder, uniqueName);
        return summary && summary->headers.subject ? *summary->headers.subject : "(none)";
    }

    TemporaryFolder temporary;
    ScopedEnvironment cacheHome{"XDG_CACHE_HOME", (temporary.path() / "cache").c_str()};
    fs::path folder = temporary / "Mail";
    std::vector<std::string> warnings;
    std::function<void(const std::string&)> warn = [this](const std::string& line) {
        warnings.push_back(line);
    };
};

TEST_F(HeaderCacheTest, ListingFillsTheCacheWithHeadersAndPreviews) {
    EXPECT_EQ(mail::HeaderCache::defaultFile(), cacheFile());
    mail::HeaderCache cache(cacheFile(), warn);
    const auto messages = listed(cache);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_TRUE(messages.at("3.c").file.inNew);
    auto third = cache.summaryOf(folder, "3.c");
    ASSERT_TRUE(third);
    EXPECT_EQ(third->headers.subject, "Third");
    EXPECT_EQ(third->headers.senders, (std::vector<std::string>{"Ada <ada@example.org>"}));
    EXPECT_EQ(third->headers.cc, std::nullopt); // no Cc header, not an empty one
    EXPECT_EQ(third->preview, std::optional<std::string>("Third text Dear Sam, see you"));
    EXPECT_TRUE(warnings.empty());
    EXPECT_TRUE(fs::exists(cacheFile()));
}

TEST_F(HeaderCacheTest, SummariesAreReadManyAtATimeInTheOrderAsked) {
    // More messages than one query takes, so that the names span several queries.
    for (int i = 0; i < 150; ++i)
        deliver(folder, "cur", "m" + std::to_string(i) + ":2,S",
                sampleMessage("Subject " + std::to_string(i), i % 28 + 1));
    mail::HeaderCache cache(cacheFile(), warn);
    listed(cache);
    std::vector<std::string> names;
    for (int i = 149; i >= 0; --i)
        names.push_back("m" + std::to_string(i));
    names.insert(names.begin() + 70, "not-cached");
    names.push_back("2.b");
    const auto summaries = cache.summariesOf(folder, names);
    ASSERT_EQ(summaries.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i]);
        if (names[i] == "not-cached") {
            EXPECT_FALSE(summaries[i]);
            continue;
        }
        ASSERT_TRUE(summaries[i]);
        const auto single = cache.summaryOf(folder, names[i]);
        ASSERT_TRUE(single);
        EXPECT_EQ(summaries[i]->headers.subject, single->headers.subject);
        EXPECT_EQ(summaries[i]->headers.senders, single->headers.senders);
        EXPECT_EQ(summaries[i]->preview, single->preview);
        EXPECT_EQ(summaries[i]->fileSize, single->fileSize);
    }
    EXPECT_EQ(summaries.back()->headers.subject, "Second");
    EXPECT_TRUE(cache.summariesOf(fs::path("/elsewhere"), {"m1"}).front() == std::nullopt);
}

TEST_F(HeaderCacheTest, AChangedFileIsReadAgainAndADeletedOneDropped) {
    mail::HeaderCache cache(cacheFile(), warn);
    listed(cache);
    writeFile(folder / "cur" / "2.b:2,", sampleMessage("Second, edited", 2));
    fs::remove(folder / "cur" / "1.a:2,S");
    const auto messages = listed(cache);
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(subjectOf(cache, "2.b"), "Second, edited");
    EXPECT_FALSE(cache.summaryOf(folder, "1.a"));
}

TEST_F(HeaderCacheTest, AFlagRenameIsTakenFromTheFileNameWithoutReadingTheFile) {
    mail::HeaderCache cache(cacheFile(), warn);
    listed(cache);
    // The same size and time but other bytes: only a parse would see the new subject.
    const fs::path old = folder / "cur" / "2.b:2,";
    struct stat before {};
    ASSERT_EQ(::stat(old.c_str(), &before), 0);
    writeFile(old, sampleMessage("Secomd", 2));
    const std::array<timespec, 2> times{before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, old.c_str(), times.data(), 0), 0);
    fs::rename(old, folder / "cur" / "2.b:2,FS");
    fs::rename(folder / "new" / "3.c", folder / "cur" / "3.c:2,S");

    const auto messages = listed(cache);
    EXPECT_EQ(messages.at("2.b").file.flags, "FS");
    EXPECT_FALSE(messages.at("3.c").file.inNew);
    EXPECT_EQ(subjectOf(cache, "2.b"), "Second");
    const auto location = cache.locate(mail::messageIdentifierFor("2.b"));
    ASSERT_TRUE(location);
    EXPECT_EQ(location->fileName, "cur/2.b:2,FS");
}

TEST_F(HeaderCacheTest, AnUnusableDatabaseIsSetAsideAndRebuiltWithOneWarning) {
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> spoil;
        const char* reason;
    };
    const std::vector<Case> cases{
        {"garbage", [](const fs::path& file) { writeFile(file, std::string(8192, 'x')); },
         "not a database"},
        {"newer schema",
         [](const fs::path& file) {
             mail::sqlite::Database database(file);
             database.execute("CREATE TABLE future (x); PRAGMA user_version = 7");
         },
         "schema version 7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        warnings.clear();
        fs::remove_all(cacheFile().parent_path());
        fs::create_directories(cacheFile().parent_path());
        c.spoil(cacheFile());
        mail::HeaderCache cache(cacheFile(), warn);
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_NE(warnings[0].find(c.reason), std::string::npos) << warnings[0];
        EXPECT_TRUE(fs::exists(cacheFile().string() + ".broken"));
        EXPECT_EQ(listed(cache).size(), 3u);
        EXPECT_EQ(subjectOf(cache, "1.a"), "First");
        mail::HeaderCache again(cacheFile(), warn);
        EXPECT_EQ(warnings.size(), 1u); // the rebuilt one is fine
    }
}

// Runs work in a child process; its exit status.
int inChild(const std::function<void()>& work) {
    const pid_t child = ::fork();
    if (child == 0) {
        try {
            work();
            ::_exit(0);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "child: %s\n", error.what());
            ::_exit(1);
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

std::vector<mail::CacheRecord> records(int count, const std::string& prefix) {
    std::vector<mail::CacheRecord> made;
    for (int i = 0; i < count; ++i) {
        mail::CacheRecord record{prefix + std::to_string(i), "cur/" + prefix, 10, 20, {}};
        record.summary.headers.subject = "subject " + std::to_string(i);
        record.summary.preview = std::string(300, 'p');
        made.push_back(std::move(record));
    }
    return made;
}

TEST_F(HeaderCacheTest, NamesFarApartAreEachFoundAndAbsentOnesAreNot) {
    // Read as a run of rows, a batch this spread out would cover the whole folder: the run
    // stops early and the rest are looked up one by one.
    mail::HeaderCache cache(cacheFile(), warn);
    cache.update(folder, records(1000, "r"), {}, {});
    std::vector<std::string> names;
    for (int i = 999; i >= 0; i -= 15)
        names.push_back("r" + std::to_string(i));
    names.insert(names.begin() + 30, "r5000");
    const auto summaries = cache.summariesOf(folder, names);
    ASSERT_EQ(summaries.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i]);
        if (names[i] == "r5000") {
            EXPECT_FALSE(summaries[i]);
            continue;
        }
        ASSERT_TRUE(summaries[i]);
        EXPECT_EQ(summaries[i]->headers.subject, "subject " + names[i].substr(1));
    }
}

TEST_F(HeaderCacheTest, TwoProcessesWriteAtOnceWithoutErrorsOrDamage) {
    mail::HeaderCache(cacheFile(), warn); // created before, as a first run would
    std::vector<std::thread> runs;
    std::array<int, 2> statuses{-1, -1};
    for (int p = 0; p < 2; ++p)
        runs.emplace_back([&, p] {
            statuses[static_cast<std::size_t>(p)] = inChild([&] {
                mail::HeaderCache cache(cacheFile());
                for (int round = 0; round < 20; ++round) {
                    cache.update(folder, records(300, "p" + std::to_string(p) + "-"), {}, {});
                    listed(cache);
                }
            });
        });
    for (auto& run : runs)
        run.join();
    EXPECT_EQ(statuses[0], 0);
    EXPECT_EQ(statuses[1], 0);
    mail::HeaderCache cache(cacheFile(), warn);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(listed(cache).size(), 3u); // the other rows were not files of the folder
}

TEST_F(HeaderCacheTest, AKillInTheMiddleOfAWriteLeavesAUsableCache) {
    mail::HeaderCache(cacheFile(), warn);
    for (int delayMs : {5, 20, 60}) {
        const pid_t child = ::fork();
        if (child == 0) {
            mail::HeaderCache cache(cacheFile());
            for (int round = 0;; ++round)
                cache.update(folder, records(2000, "k" + std::to_string(round % 3)), {}, {});
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        mail::HeaderCache cache(cacheFile(), warn);
        EXPECT_TRUE(warnings.empty()) << delayMs;
        EXPECT_EQ(listed(cache).size(), 3u);
        mail::sqlite::Database check(cacheFile());
        mail::sqlite::Statement integrity(check, "PRAGMA integrity_check");
        ASSERT_TRUE(integrity.step());
        EXPECT_EQ(integrity.text(0), "ok");
    }
}

// Counts the message files opened in the folder, by name, through inotify.
class OpenedFiles {
public:
    explicit OpenedFiles(const fs::path& folder) : m_fd(::inotify_init1(IN_NONBLOCK)) {
        for (const char* sub : {"cur", "new"})
            ::inotify_add_watch(m_fd, (folder / sub).c_str(), IN_OPEN);
    }
    ~OpenedFiles() { ::close(m_fd); }
    std::vector<std::string> names() {
        alignas(inotify_event) std::array<char, 65536> buffer{};
        for (ssize_t got; (got = ::read(m_fd, buffer.data(), buffer.size())) > 0;)
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
                if (event->len > 0)
                    m_names.emplace_back(event->name);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        return m_names;
    }

private:
    int m_fd;
    std::vector<std::string> m_names;
};

TEST_F(HeaderCacheTest, CountsAndFindingAMessageReadNoOtherMessage) {
    Mailbox::registerRuntimeClass();
    {
        OpenedFiles opened(folder);
        auto box = objc::make<Mailbox>(nullptr, "INBOX", folder);
        EXPECT_EQ(box->unreadCount(), 2);
        EXPECT_TRUE(opened.names().empty());
        // Cold: the folder's names are compared; only the message found is read.
        MailMessage* found = box->messageWithIdentifier(mail::messageIdentifierFor("2.b"));
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->subject(), "Second");
        for (const auto& name : opened.names())
            EXPECT_EQ(name, "2.b:2,");
    }
    {
        auto box = objc::make<Mailbox>(nullptr, "INBOX", folder);
        box->messages(); // lists and caches every message
        auto again = objc::make<Mailbox>(nullptr, "INBOX", folder);
        OpenedFiles opened(folder);
        ASSERT_EQ(again->messages().size(), 3u); // warm: from the cache alone
        EXPECT_EQ(again->messages()[0]->subject(), "Third");
        EXPECT_EQ(again->messages()[0]->previewText(), "Third text Dear Sam, see you");
        EXPECT_TRUE(opened.names().empty());
        MailMessage* found = again->messageWithUniqueName("1.a", "cur/1.a:2,S");
        ASSERT_NE(found, nullptr);
        EXPECT_TRUE(opened.names().empty());
        EXPECT_NE(found->messageBody(), nullptr); // the body is read when asked for
        EXPECT_EQ(opened.names(), (std::vector<std::string>{"1.a:2,S"}));
    }
}

} // namespace
} // namespace tintbox::testing
