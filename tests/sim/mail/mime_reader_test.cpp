// Reading messages: decoded subjects, addresses as people read them, the Message-ID with its
// brackets, dates, and the preferred body decoded to UTF-8 from any charset and encoding.
#include "sim/mail/mime_reader.hpp"
#include "tests/support/temporary_folder.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using namespace tintbox::sim::mail;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using tintbox::testing::TemporaryFolder;
using tintbox::testing::writeFile;

std::filesystem::path messageFile(const TemporaryFolder& folder, const std::string& text) {
    static int count = 0;
    const auto path = folder / ("message" + std::to_string(++count));
    writeFile(path, text);
    return path;
}

struct SubjectCase {
    const char* name;
    const char* header;
    const char* decoded;
};

class SubjectDecoding : public ::testing::TestWithParam<SubjectCase> {};

TEST_P(SubjectDecoding, GivesUtf8) {
    TemporaryFolder folder;
    const auto path = messageFile(folder, std::string("From: a@example.com\nSubject: ") +
                                              GetParam().header + "\n\nbody\n");
    const auto headers = readMessageHeaders(path);
    ASSERT_TRUE(headers);
    EXPECT_EQ(headers->subject, GetParam().decoded);
}

INSTANTIATE_TEST_SUITE_P(
    Rfc2047, SubjectDecoding,
    ::testing::Values(
        SubjectCase{"Plain", "Lunch on Friday", "Lunch on Friday"},
        SubjectCase{"Utf8Base64", "=?UTF-8?B?R3LDvMOfZSBhdXMgS8O2bG4=?=", "Grüße aus Köln"},
        SubjectCase{"Utf8Q", "=?utf-8?Q?Caf=C3=A9_=E2=98=95_at_ten?=", "Café ☕ at ten"},
        SubjectCase{"Latin1Q", "=?ISO-8859-1?Q?Re=E7u_de_paiement?=", "Reçu de paiement"},
        SubjectCase{"MixedWords", "Invoice =?UTF-8?Q?n=C2=BA?= 42", "Invoice nº 42"},
        SubjectCase{"Folded", "a long\n subject line", "a long subject line"},
        // Mailers split long subjects into several padded base64 words.
        SubjectCase{"PaddedBase64WordsInARun",
                    "=?UTF-8?B?SGVsbA==?=\n =?UTF-8?B?byB3b3JsZA==?=", "Hello world"},
        SubjectCase{"Base64WordsOfTwoCharsets", "=?UTF-8?B?w6k=?= =?ISO-8859-1?B?6Q==?=", "éé"},
        SubjectCase{"Base64WordWithoutPadding", "=?UTF-8?b?R3LDvMOfZQ?=", "Grüße"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageHeaders, AddressesReadAsNameAndAddress) {
    TemporaryFolder folder;
    const auto path =
        messageFile(folder, "From: \"Lovelace, Ada\" <ada@analytical.example>\n"
                            "To: Charles Babbage <charles@engine.example>, bare@example.org,\n"
                            " =?UTF-8?Q?Zo=C3=AB_M=C3=BCller?= <zoe@example.net>\n"
                            "Cc: Team: one@example.org, Two <two@example.org>;\n"
                            "Message-ID:  <20261201.1234@analytical.example> \n"
                            "Date: Tue, 01 Dec 2026 09:30:00 +0100\n"
                            "Subject: x\n\nbody\n");
    const auto headers = readMessageHeaders(path);
    ASSERT_TRUE(headers);
    EXPECT_THAT(*headers->senders, ElementsAre("Lovelace, Ada <ada@analytical.example>"));
    EXPECT_THAT(*headers->to, ElementsAre("Charles Babbage <charles@engine.example>",
                                          "bare@example.org", "Zoë Müller <zoe@example.net>"));
    EXPECT_THAT(*headers->cc, ElementsAre("one@example.org", "Two <two@example.org>"));
    EXPECT_EQ(headers->messageIDHeader, "<20261201.1234@analytical.example>");
    // 2026-12-01 08:30:00 UTC is 1796113800 seconds after the Unix epoch.
    EXPECT_EQ(headers->dateSent, 1796113800.0 - 978307200.0);
}

TEST(MessageHeaders, AbsentFieldsAreNoneNotEmpty) {
    TemporaryFolder folder;
    const auto headers = readMessageHeaders(messageFile(folder, "From: a@example.com\n\nhi\n"));
    ASSERT_TRUE(headers);
    EXPECT_EQ(headers->subject, std::nullopt);
    EXPECT_EQ(headers->to, std::nullopt);
    EXPECT_EQ(headers->cc, std::nullopt);
    EXPECT_EQ(headers->messageIDHeader, std::nullopt);
    EXPECT_EQ(headers->dateSent, std::nullopt);
}

TEST(MessageHeaders, AFileThatIsNoMessageIsAnErrorNamingIt) {
    TemporaryFolder folder;
    for (const std::string& bytes : {std::string(), std::string("\0\1\2binary\xff", 10)}) {
        const auto path = messageFile(folder, bytes);
        std::string error;
        EXPECT_EQ(readMessageHeaders(path, &error), std::nullopt);
        EXPECT_THAT(error, HasSubstr(path.string()));
    }
    std::string error;
    EXPECT_EQ(readMessageHeaders(folder / "missing", &error), std::nullopt);
    EXPECT_THAT(error, HasSubstr("missing"));
}

struct BodyCase {
    const char* name;
    const char* message;
    const char* text;
    bool isHTML;
};

class PreferredBody : public ::testing::TestWithParam<BodyCase> {};

TEST_P(PreferredBody, IsDecodedToUtf8) {
    TemporaryFolder folder;
    const auto body = readPreferredBody(messageFile(folder, GetParam().message));
    ASSERT_TRUE(body);
    EXPECT_EQ(body->text, GetParam().text);
    EXPECT_EQ(body->isHTML, GetParam().isHTML);
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, PreferredBody,
    ::testing::Values(
        BodyCase{"PlainWithoutContentType", "From: a@x.example\n\nHello there.\n", "Hello there.\n",
                 false},
        BodyCase{"Latin1QuotedPrintable",
                 "From: a@x.example\nMIME-Version: 1.0\n"
                 "Content-Type: text/plain; charset=ISO-8859-1\n"
                 "Content-Transfer-Encoding: quoted-printable\n\n"
                 "Gr=FC=DFe, bis sp=E4ter =\nim Caf=E9\n",
                 "Grüße, bis später im Café\n", false},
        BodyCase{"Base64Utf8",
                 "From: a@x.example\nMIME-Version: 1.0\n"
                 "Content-Type: text/plain; charset=utf-8\nContent-Transfer-Encoding: base64\n\n"
                 "w4ljaGFuZ2UgZGUgZG9ubsOpZXMg4oCUIHbDqXJpZmnDqQo=\n",
                 "Échange de données — vérifié\n", false},
        BodyCase{"CrLfLineEnds", "From: a@x.example\r\n\r\nline one\r\nline two\r\n",
                 "line one\nline two\n", false},
        BodyCase{"UnlabelledLatin1Bytes", "From: a@x.example\n\nna\xefve caf\xe9\n", "naïve café\n",
                 false},
        BodyCase{"HtmlPreferredInAlternative",
                 "From: a@x.example\nMIME-Version: 1.0\n"
                 "Content-Type: multipart/alternative; boundary=\"b1\"\n\n"
                 "--b1\nContent-Type: text/plain; charset=us-ascii\n\nplain\n"
                 "--b1\nContent-Type: text/html; charset=utf-8\n\n<p>html</p>\n--b1--\n",
                 "<p>html</p>", true},
        BodyCase{"HtmlInsideMixedBeforeAttachment",
                 "From: a@x.example\nMIME-Version: 1.0\n"
                 "Content-Type: multipart/mixed; boundary=\"m\"\n\n"
                 "--m\nContent-Type: multipart/alternative; boundary=\"a\"\n\n"
                 "--a\nContent-Type: text/plain\n\nplain\n"
                 "--a\nContent-Type: text/html\n\n<b>bold</b>\n--a--\n"
                 "--m\nContent-Type: text/html\nContent-Disposition: attachment; "
                 "filename=x.html\n\n<i>attached</i>\n--m--\n",
                 "<b>bold</b>", true},
        BodyCase{"PlainWhenTheHtmlIsAnAttachment",
                 "From: a@x.example\nMIME-Version: 1.0\n"
                 "Content-Type: multipart/mixed; boundary=\"m\"\n\n"
                 "--m\nContent-Type: text/plain\n\nsee attached\n"
                 "--m\nContent-Type: text/html\nContent-Disposition: attachment\n\n"
                 "<i>attached</i>\n--m--\n",
                 "see attached", false},
        // Malformed mail that the well-known readers still show.
        BodyCase{"TypeWithoutSubtypeIsPlain",
                 "From: a@x.example\nMIME-Version: 1.0\nContent-Type: text\n\nstill here\n",
                 "still here\n", false},
        BodyCase{"HeadersWithoutTheBlankLine",
                 "From: a@x.example\nSubject: hi\nThe body starts here.\nSecond: line\n",
                 "The body starts here.\nSecond: line\n", false},
        BodyCase{"NoHeaderAtAll", "Just a note\nwith two lines\n", "Just a note\nwith two lines\n",
                 false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageHeaders, AFileWithoutHeadersIsAMessageWithoutSubject) {
    TemporaryFolder folder;
    const auto headers = readMessageHeaders(messageFile(folder, "Just a note\n"));
    ASSERT_TRUE(headers);
    EXPECT_EQ(headers->subject, std::nullopt);
    EXPECT_EQ(headers->senders, std::nullopt);
    const auto unended = readMessageHeaders(
        messageFile(folder, "Subject: kept\nFrom: a@x.example\nno blank line before this\n"));
    ASSERT_TRUE(unended);
    EXPECT_EQ(unended->subject, "kept");
}

TEST(Attachments, ListsSavedPartsWithNameTypeAndDecodedSize) {
    TemporaryFolder folder;
    const auto path = messageFile(
        folder,
        "From: a@x.example\nMIME-Version: 1.0\n"
        "Content-Type: multipart/mixed; boundary=\"m\"\n\n"
        "--m\nContent-Type: multipart/alternative; boundary=\"a\"\n\n"
        "--a\nContent-Type: text/plain\n\nplain\n"
        "--a\nContent-Type: text/html\n\n<b>html</b>\n--a--\n"
        "--m\nContent-Type: application/pdf; name=\"report.pdf\"\n"
        "Content-Disposition: attachment; filename=\"report.pdf\"\n"
        "Content-Transfer-Encoding: base64\n\nJVBERi0xLjQK\n"
        "--m\nContent-Type: image/png\nContent-Transfer-Encoding: base64\n\n"
        "iVBORw0KGgo=\n"
        "--m\nContent-Type: text/plain\nContent-Disposition: attachment; filename=notes.txt\n"
        "\nnotes\n--m--\n");
    EXPECT_THAT(readAttachments(path), ElementsAre(Attachment{"report.pdf", "application/pdf", 9},
                                                   Attachment{"", "image/png", 8},
                                                   Attachment{"notes.txt", "text/plain", 5}));
    EXPECT_TRUE(readAttachments(messageFile(folder, "From: a@x.example\n\nplain\n")).empty());
}

TEST(PreferredBody, AMessageWithoutTextHasNoneWithoutAnError) {
    TemporaryFolder folder;
    std::string error = "stale";
    const auto path = messageFile(folder, "From: a@x.example\nMIME-Version: 1.0\n"
                                          "Content-Type: image/png\n"
                                          "Content-Transfer-Encoding: base64\n\niVBORw0KGgo=\n");
    EXPECT_EQ(readPreferredBody(path, &error), std::nullopt);
    EXPECT_EQ(error, "");
    EXPECT_EQ(readPreferredBody(folder / "gone", &error), std::nullopt);
    EXPECT_THAT(error, HasSubstr("gone"));
}

} // namespace
