// The sample mail that `tintbox init --sample` installs: every message reads cleanly, and the
// set holds the kinds of mail the demo relies on.
#include "sim/mail/MailStore.hpp"
#include "sim/mail/MessageBody.hpp"
#include "sim/mail/account_file.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using namespace tintbox::sim::mail;

TEST(SampleMail, EveryMessageReadsWithDecodedSubjectAndBody) {
    registerMailModelClasses();
    const std::filesystem::path samples = TINTBOX_SAMPLES_DIR;
    const auto accounts = readAccountFile(samples / "accounts.plist");
    ASSERT_TRUE(accounts.warnings.empty());
    ASSERT_EQ(accounts.accounts.size(), 3u);

    int messages = 0, unread = 0, flagged = 0, html = 0, mailboxes = 0;
    ::testing::internal::CaptureStderr();
    for (const auto& entry : accounts.accounts) {
        auto account = objc::make<MailAccount>();
        account->configure(entry.displayName,
                           samples / "mail" / std::filesystem::path(entry.maildir).filename());
        for (const auto& mailbox : account->mailboxes()) {
            ++mailboxes;
            for (const auto& message : mailbox->messages()) {
                ++messages;
                unread += !message->isRead();
                flagged += message->isFlagged();
                const std::string subject = message->subject().value_or("");
                EXPECT_FALSE(subject.empty() || subject.find("=?") != std::string::npos) << subject;
                EXPECT_TRUE(message->senders() && message->messageIDHeader()) << subject;
                MessageBody* body = message->messageBody();
                ASSERT_NE(body, nullptr) << subject;
                EXPECT_FALSE(body->preferredBodyPart()->decodeText().empty()) << subject;
                html += body->isHTML();
            }
        }
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(messages, 31);
    EXPECT_EQ(mailboxes, 5);
    EXPECT_GE(unread, 5);
    EXPECT_GE(flagged, 4);
    EXPECT_GE(html, 6);
}

} // namespace
