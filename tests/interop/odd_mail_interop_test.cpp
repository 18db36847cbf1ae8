// Odd real-world mail against Python's email package: for every file of the corpus beside this
// test, the subject, senders, body text and attachments our reader shows are what Python
// extracts, except where the reference script writes down that Python itself is wrong.
#include "platform/uikit/html_import.hpp"
#include "sim/mail/mime_reader.hpp"
#include "tests/support/hex_text.hpp"
#include "tests/support/process.hpp"
#include "tests/support/temporary_folder.hpp"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using namespace tintbox::sim::mail;

std::string field(const std::optional<std::string>& value) {
    return value ? "=" + tintbox::testing::hexText(*value) : "-";
}

std::string joined(const std::vector<std::string>& items, std::string_view separator) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : std::string(separator)) + item;
    return text;
}

// One line per file: its name, then what we show, each field hex-encoded ("-" for none).
std::string whatWeShow(const fs::path& file) {
    std::string error;
    const auto contents = readMessageContents(file, &error);
    std::string line = file.filename().string();
    if (!contents)
        return line + " not-a-message\n";
    std::optional<std::string> senders;
    if (contents->headers.senders)
        senders = joined(*contents->headers.senders, ", ");
    std::optional<std::string> body;
    if (contents->body)
        body = contents->body->isHTML ? uikit::plainTextFromHTML(contents->body->text)
                                      : contents->body->text;
    std::vector<std::string> attachments;
    for (const Attachment& attachment : readAttachments(file))
        attachments.push_back(attachment.name + "|" + attachment.type);
    return line + " message " + field(contents->headers.subject) + " " + field(senders) + " " +
           field(body) + " " + field(joined(attachments, "\n")) + "\n";
}

TEST(OddMailInterop, ReaderShowsWhatPythonsEmailPackageExtracts) {
    if (tintbox::testing::runProcess({"sh", "-c", "command -v python3"}).exitStatus != 0)
        GTEST_SKIP() << "python3 is not installed";
    const fs::path source = std::getenv("TINTBOX_SOURCE_DIR");
    const fs::path corpus = source / "tests/interop/odd_mail";
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(corpus))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ASSERT_GE(files.size(), 15u);

    std::string shown;
    for (const fs::path& file : files)
        shown += whatWeShow(file);
    tintbox::testing::TemporaryFolder folder;
    tintbox::testing::writeFile(folder / "shown.txt", shown);
    const auto result = tintbox::testing::runProcess(
        {"python3", (source / "tests/interop/odd_mail_reference.py").string(), corpus.string(),
         (folder / "shown.txt").string()});
    EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
}

} // namespace
