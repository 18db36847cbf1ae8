// Accounts: the accounts file, MailAccount's activeAccounts through the runtime, local accounts
// as a kind of mail account, broken files and entries, and the body reached by messages.
#include "sim/mail/MailStore.hpp"
#include "sim/mail/account_file.hpp"
#include "tests/sim/mail/maildir_fixture.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using namespace tintbox::sim::mail;
using namespace tintbox::testing;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using AccountList = std::vector<objc::Ref<NSObject>>;

AccountList activeAccounts() {
    return objc::msgSendClass<AccountList()>(objc_getClass("MailAccount"),
                                             sel_registerName("activeAccounts"));
}

std::string displayName(id account) {
    return objc::msgSend<std::string()>(account, sel_registerName("displayName"));
}

class Accounts : public ::testing::Test {
protected:
    Accounts() { registerMailModelClasses(); }

    void writeAccounts(const std::vector<AccountEntry>& entries) {
        std::string error;
        ASSERT_TRUE(writeAccountFile(entries, accountsFilePath(), &error)) << error;
        MailStore::reloadShared();
    }

    TemporaryDeviceRoot root;
    TemporaryFolder outside;
};

TEST_F(Accounts, ActiveAccountsAnswersTheFileInOrderWithLocalOnesAsMailAccounts) {
    writeAccounts({{"Work", "MailAccount", "var/mobile/Library/Mail/Work"},
                   {"On My iPhone", "LocalAccount", "var/mobile/Library/Mail/Local"},
                   {"Home", "MailAccount", outside.path().string()}});
    const AccountList accounts = activeAccounts();
    ASSERT_EQ(accounts.size(), 3u);
    EXPECT_EQ(displayName(accounts[0].get()), "Work");
    EXPECT_EQ(displayName(accounts[1].get()), "On My iPhone");
    EXPECT_EQ(displayName(accounts[2].get()), "Home");
    const Class localAccount = objc_getClass("LocalAccount");
    const Class mailAccount = objc_getClass("MailAccount");
    EXPECT_TRUE(accounts[1]->isKindOfClass(localAccount));
    EXPECT_TRUE(accounts[1]->isKindOfClass(mailAccount));
    EXPECT_FALSE(accounts[0]->isKindOfClass(localAccount));

    auto& store = MailStore::shared();
    EXPECT_EQ(store.accountNamed("Work")->maildir(),
              root.path() / "private/var/mobile/Library/Mail/Work");
    EXPECT_EQ(store.accountNamed("Home")->maildir(), outside.path());
}

TEST_F(Accounts, AMessageAnswersItsAccountAndBodyThroughTheRuntime) {
    deliver(outside.path(), "cur", "1.a.host:2,S",
            sampleMessage("hello", 2,
                          "MIME-Version: 1.0\nContent-Type: text/html; charset=iso-8859-1\n"
                          "Content-Transfer-Encoding: quoted-printable\n") +
                "<p>caf=E9</p>\n");
    writeAccounts({{"Home", "MailAccount", outside.path().string()}});
    MailMessage* message =
        MailStore::shared().accountNamed("Home")->inbox()->messages().at(0).get();

    EXPECT_EQ(objc::msgSend<id()>(message, sel_registerName("account")),
              activeAccounts().at(0).get());
    EXPECT_EQ(
        objc::msgSend<std::optional<std::string>()>(message, sel_registerName("messageIDHeader")),
        "<hello@example.org>");
    EXPECT_EQ(objc::msgSend<std::optional<std::vector<std::string>>()>(message,
                                                                       sel_registerName("senders")),
              std::vector<std::string>{"Ada <ada@example.org>"});
    id body = objc::msgSend<id()>(message, sel_registerName("messageBody"));
    ASSERT_NE(body, nullptr);
    EXPECT_TRUE(objc::msgSend<bool()>(body, sel_registerName("isHTML")));
    id part = objc::msgSend<id()>(body, sel_registerName("preferredBodyPart"));
    EXPECT_EQ(objc::msgSend<std::string()>(part, sel_registerName("decodeText")),
              "hello text\n<p>café</p>\n");
    EXPECT_EQ(MailStore::shared().messageWithIdentifier(message->messageIdentifier()), message);
}

TEST_F(Accounts, ASubclassNamedInTheFileIsMadeWithItsClass) {
    objc::ClassBuilder<MailAccount, MailAccount>("TestIMAPAccount");
    writeAccounts({{"Work", "TestIMAPAccount", outside.path().string()}});
    const AccountList accounts = activeAccounts();
    ASSERT_EQ(accounts.size(), 1u);
    EXPECT_STREQ(object_getClassName(accounts[0].get()), "TestIMAPAccount");
    EXPECT_EQ(displayName(accounts[0].get()), "Work");
}

TEST_F(Accounts, BrokenFilesGiveNoAccountsAndOneWarning) {
    for (const std::string& bytes :
         {std::string("not a property list"),
          std::string("<plist><dict><key>Work</key><string>x</string></dict></plist>")}) {
        writeFile(accountsFilePath(), bytes);
        ::testing::internal::CaptureStderr();
        MailStore::reloadShared();
        EXPECT_TRUE(activeAccounts().empty());
        const std::string warnings = ::testing::internal::GetCapturedStderr();
        EXPECT_THAT(warnings, HasSubstr("Accounts.plist"));
        EXPECT_EQ(std::count(warnings.begin(), warnings.end(), '\n'), 1) << warnings;
    }
}

TEST_F(Accounts, BadEntriesAreLeftOutWithAWarningEach) {
    writeFile(accountsFilePath(),
              "<plist><array>"
              "<dict><key>DisplayName</key><string>Work</string>"
              "<key>Maildir</key><string>w</string></dict>"
              "<string>not an account</string>"
              "<dict><key>DisplayName</key><string>NoMaildir</string></dict>"
              "<dict><key>DisplayName</key><string>Odd</string><key>Class</key>"
              "<string>UIView</string><key>Maildir</key><string>o</string></dict>"
              "</array></plist>");
    ::testing::internal::CaptureStderr();
    MailStore::reloadShared();
    const AccountList accounts = activeAccounts();
    const std::string warnings = ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(accounts.size(), 1u);
    EXPECT_EQ(displayName(accounts[0].get()), "Work");
    EXPECT_EQ(std::count(warnings.begin(), warnings.end(), '\n'), 3) << warnings;
    EXPECT_THAT(warnings, HasSubstr("account 2"));
    EXPECT_THAT(warnings, HasSubstr("UIView"));
}

TEST_F(Accounts, NoFileMeansNoAccountsQuietly) {
    ::testing::internal::CaptureStderr();
    MailStore::reloadShared();
    EXPECT_TRUE(activeAccounts().empty());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST(AccountFile, UpsertReplacesTheSameNameInPlace) {
    std::vector<AccountEntry> accounts{{"Work", "MailAccount", "a"}, {"Home", "MailAccount", "b"}};
    upsertAccount(accounts, {"Work", "LocalAccount", "c"});
    upsertAccount(accounts, {"Lists", "MailAccount", "d"});
    EXPECT_THAT(accounts, ElementsAre(AccountEntry{"Work", "LocalAccount", "c"},
                                      AccountEntry{"Home", "MailAccount", "b"},
                                      AccountEntry{"Lists", "MailAccount", "d"}));
}

} // namespace
