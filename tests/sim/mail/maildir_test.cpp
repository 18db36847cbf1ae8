// The Maildir store: mailboxes of a Maildir++ root, messages of cur/ and new/ with their flags,
// newest first, unparsable files skipped with a warning, and identifiers that survive renames.
#include "sim/mail/MailStore.hpp"
#include "sim/mail/maildir.hpp"
#include "tests/sim/mail/maildir_fixture.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using namespace tintbox::sim::mail;
using namespace tintbox::testing;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::vector<std::string> subjectsOf(Mailbox& mailbox) {
    std::vector<std::string> subjects;
    for (const auto& message : mailbox.messages())
        subjects.push_back(message->subject().value_or("?"));
    return subjects;
}

class MaildirStore : public ::testing::Test {
protected:
    MaildirStore() {
        registerMailModelClasses();
        account = objc::make<MailAccount>();
        account->configure("Work", folder.path());
    }

    TemporaryFolder folder;
    objc::Ref<MailAccount> account;
};

TEST_F(MaildirStore, ListsTheRootAsInboxAndSubfoldersByName) {
    deliver(folder.path(), ".Projects/cur", "1.a.host:2,S", sampleMessage("p", 1));
    deliver(folder.path(), ".Archive.2025/new", "2.b.host", sampleMessage("a", 1));
    deliver(folder.path(), ".Entw&APw-rfe/cur", "3.c.host:2,S", sampleMessage("d", 1));
    deliver(folder.path(), ".Tom &- Jerry/cur", "4.d.host:2,S", sampleMessage("e", 1));
    writeFile(folder / ".NotAMailbox/readme", "no cur or new here");
    writeFile(folder / "..odd/cur/x", "");
    std::vector<std::string> names;
    for (const auto& mailbox : account->mailboxes())
        names.push_back(mailbox->displayName());
    EXPECT_THAT(names, ElementsAre("INBOX", "Archive/2025", "Entwürfe", "Projects", "Tom & Jerry"));
    EXPECT_EQ(account->mailboxNamed("Archive/2025")->messages().size(), 1u);
    EXPECT_EQ(account->mailboxNamed("Projects")->account(), account.get());
}

TEST_F(MaildirStore, ReadsCurAndNewWithFlagsNewestFirst) {
    deliver(folder.path(), "cur", "100.a.host:2,S", sampleMessage("read", 1));
    deliver(folder.path(), "cur", "101.b.host:2,FS", sampleMessage("flagged", 4));
    deliver(folder.path(), "cur", "102.c.host:2,", sampleMessage("unread", 3));
    deliver(folder.path(), "new", "103.d.host", sampleMessage("new", 2));
    deliver(folder.path(), "cur", ".hidden:2,S", sampleMessage("hidden", 9));
    deliver(folder.path(), "tmp", "104.e.host", sampleMessage("in delivery", 9));

    Mailbox& inbox = *account->inbox();
    EXPECT_THAT(subjectsOf(inbox), ElementsAre("flagged", "unread", "new", "read"));
    const auto& messages = inbox.messages();
    EXPECT_TRUE(messages[0]->isFlagged());
    EXPECT_TRUE(messages[0]->isRead());
    EXPECT_FALSE(messages[1]->isRead());
    EXPECT_FALSE(messages[2]->isRead());
    EXPECT_TRUE(messages[2]->file().inNew);
    EXPECT_FALSE(messages[3]->isFlagged());
    EXPECT_EQ(inbox.unreadCount(), 2);
    EXPECT_EQ(messages[1]->account(), account.get());
}

TEST_F(MaildirStore, AnUnparsableFileIsSkippedWithAWarningNamingIt) {
    deliver(folder.path(), "cur", "1.good.host:2,S", sampleMessage("good", 1));
    const auto bad = deliver(folder.path(), "cur", "2.bad.host:2,", "");
    ::testing::internal::CaptureStderr();
    EXPECT_THAT(subjectsOf(*account->inbox()), ElementsAre("good"));
    const std::string warnings = ::testing::internal::GetCapturedStderr();
    EXPECT_THAT(warnings, HasSubstr(bad.string()));
    EXPECT_EQ(std::count(warnings.begin(), warnings.end(), '\n'), 1);
}

TEST_F(MaildirStore, AMissingMaildirHasAnEmptyInboxAndAWarning) {
    account->configure("Gone", folder / "nowhere");
    ::testing::internal::CaptureStderr();
    ASSERT_EQ(account->mailboxes().size(), 1u);
    EXPECT_TRUE(account->inbox()->messages().empty());
    EXPECT_THAT(::testing::internal::GetCapturedStderr(), HasSubstr("nowhere"));
}

TEST_F(MaildirStore, TheIdentifierSurvivesAFlagRename) {
    const auto path =
        deliver(folder.path(), "cur", "1700000000.M1P2.host,S=99:2,", sampleMessage("x", 1));
    Mailbox& inbox = *account->inbox();
    const std::string identifier = inbox.messages().at(0)->messageIdentifier();
    EXPECT_EQ(identifier.size(), 12u);
    EXPECT_EQ(identifier, messageIdentifierFor("1700000000.M1P2.host,S=99"));

    std::filesystem::rename(path, folder / "cur" / "1700000000.M1P2.host,S=99:2,FS");
    inbox.reload();
    MailMessage* renamed = inbox.messageWithIdentifier(identifier);
    ASSERT_NE(renamed, nullptr);
    EXPECT_TRUE(renamed->isFlagged());
    EXPECT_TRUE(renamed->isRead());
    EXPECT_EQ(inbox.messageWithIdentifier("1700000000.M1P2.host,S=99"), renamed);
    EXPECT_EQ(inbox.messageWithIdentifier("000000000000"), nullptr);
}

TEST_F(MaildirStore, MarkingRenamesTheFileAndKeepsItsIdentifier) {
    deliver(folder.path(), "new", "5.n.host", sampleMessage("fresh", 1));
    MailMessage& message = *account->inbox()->messages().at(0);
    const std::string identifier = message.messageIdentifier();

    ASSERT_TRUE(message.setFlagged(true));
    ASSERT_TRUE(message.setRead(true));
    EXPECT_EQ(message.file().path, folder / "cur" / "5.n.host:2,FS");
    EXPECT_TRUE(std::filesystem::is_empty(folder / "new"));
    ASSERT_TRUE(message.setFlagged(false));
    EXPECT_EQ(message.file().path, folder / "cur" / "5.n.host:2,S");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / "cur"),
                            std::filesystem::directory_iterator()),
              1);

    account->inbox()->reload();
    MailMessage* reread = account->inbox()->messageWithIdentifier(identifier);
    ASSERT_NE(reread, nullptr);
    EXPECT_TRUE(reread->isRead());
    EXPECT_FALSE(reread->isFlagged());
}

TEST_F(MaildirStore, MarkingAFileThatVanishedChangesNothing) {
    const auto path = deliver(folder.path(), "cur", "6.v.host:2,", sampleMessage("gone", 1));
    MailMessage& message = *account->inbox()->messages().at(0);
    std::filesystem::remove(path);
    std::string error;
    EXPECT_FALSE(message.setRead(true, &error));
    EXPECT_THAT(error, HasSubstr(path.string()));
    EXPECT_FALSE(message.isRead());
}

TEST(MaildirFileName, SplitsTheUniqueNameFromTheFlags) {
    struct Case {
        const char* name;
        const char* unique;
        const char* flags;
    };
    for (const Case c :
         {Case{"1.a.host", "1.a.host", ""}, Case{"1.a.host:2,", "1.a.host", ""},
          Case{"1.a.host:2,DFRS", "1.a.host", "DFRS"}, Case{"1.a,S=10:2,S", "1.a,S=10", "S"}}) {
        const MaildirFile file = maildirFileAt(std::filesystem::path("/m/cur") / c.name, false);
        EXPECT_EQ(file.uniqueName, c.unique) << c.name;
        EXPECT_EQ(file.flags, c.flags) << c.name;
    }
}

} // namespace
