// Reading one message file with GMime: the header fields the app shows and the body text the
// message view and reminders use. Everything comes back as UTF-8, decoded from whatever
// RFC 2047 words, charsets and transfer encodings the message uses.
//   std::string error;
//   if (auto headers = readMessageHeaders(path, &error)) ... headers->subject ...
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tintbox::sim::mail {

struct MessageHeaders {
    std::optional<std::string> subject;
    std::optional<std::vector<std::string>> senders; // "Name <addr>", or the bare address
    std::optional<std::vector<std::string>> to;
    std::optional<std::vector<std::string>> cc;
    std::optional<std::string> messageIDHeader; // the value with its angle brackets
    std::optional<double> dateSent;             // seconds since 2001-01-01, from Date:
};

// The headers of the message in file; nullopt with *error set (one line) when the file cannot be
// read or holds no message.
std::optional<MessageHeaders> readMessageHeaders(const std::filesystem::path& file,
                                                 std::string* error = nullptr);

struct BodyText {
    std::string text; // UTF-8
    bool isHTML{false};
};

// The text of the message's preferred body part: the first inline text/html part when there is
// one, else the first inline text/plain part. nullopt when the message has no text part (*error
// empty) or the file cannot be read (*error says why).
std::optional<BodyText> readPreferredBody(const std::filesystem::path& file,
                                          std::string* error = nullptr);

struct Attachment {
    std::string name;    // the file name the message gives it; "" when it gives none
    std::string type;    // "application/pdf"
    std::size_t size{0}; // bytes once decoded
    bool operator==(const Attachment&) const = default;
};

// The parts a reader would save rather than read, in message order: parts marked as
// attachments or carrying a file name, attached messages, and inline parts that are not text.
// Empty when the message has none or cannot be read.
std::vector<Attachment> readAttachments(const std::filesystem::path& file);

// The headers and the preferred body of the message in file, from one parse; nullopt with
// *error set as readMessageHeaders does. `body` is empty when there is no text part.
struct MessageContents {
    MessageHeaders headers;
    std::optional<BodyText> body;
    // The file's size and modification time (nanoseconds since the epoch) when it was read.
    std::int64_t fileSize{0};
    std::int64_t fileModified{0};
};
std::optional<MessageContents> readMessageContents(const std::filesystem::path& file,
                                                   std::string* error = nullptr);

} // namespace tintbox::sim::mail
