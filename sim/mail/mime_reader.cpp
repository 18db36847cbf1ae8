#include "sim/mail/mime_reader.hpp"

#include "sim/mail/encoded_words.hpp"
#include "sim/mail/file_bytes.hpp"
#include "sim/mail/gmime_handles.hpp"

#include <algorithm>
#include <cstring>
#include <fcntl.h>

namespace tintbox::sim::mail {
namespace {

// Seconds from the Unix epoch to 2001-01-01 00:00:00 UTC.
constexpr double kReferenceDateOffset = 978307200.0;

// GMime's type checks, through the opened library.
bool isMultipart(gconstpointer object) {
    return gmimeLibrary().isA(object, gmimeLibrary().g_mime_multipart_get_type);
}
bool isPart(gconstpointer object) {
    return gmimeLibrary().isA(object, gmimeLibrary().g_mime_part_get_type);
}
bool isMessagePart(gconstpointer object) {
    return gmimeLibrary().isA(object, gmimeLibrary().g_mime_message_part_get_type);
}
bool isGroup(gconstpointer object) {
    return gmimeLibrary().isA(object, gmimeLibrary().internet_address_group_get_type);
}
bool isMailbox(gconstpointer object) {
    return gmimeLibrary().isA(object, gmimeLibrary().internet_address_mailbox_get_type);
}

// A header line: a field name of printable characters other than the colon, then a colon; or,
// after the first, a continuation starting with a blank. mbox's "From " line counts too.
bool isHeaderLine(std::string_view line, bool first) {
    if (!first && (line.starts_with(' ') || line.starts_with('\t')))
        return true;
    if (first && line.starts_with("From "))
        return true;
    const auto colon = line.find(':');
    if (colon == 0 || colon == std::string_view::npos)
        return false;
    for (char c : line.substr(0, colon))
        if (c <= ' ' || c > '~')
            return false;
    return true;
}

struct HeaderBlock {
    std::size_t end{0};       // where the body starts
    bool hasHeaders{false};   // at least one header line
    bool endsWithBlank{true}; // the block ends in a blank line or at the end of the file
};

// As forgiving as the well-known readers: the first line that is not a header starts the body
// (a header block without its blank line), and text with no header at all is all body.
HeaderBlock headerBlockOf(std::string_view bytes) {
    HeaderBlock block;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t end = std::min(bytes.find('\n', at), bytes.size());
        std::string_view line(bytes.data() + at, end - at);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty())
            break;
        if (!isHeaderLine(line, at == 0)) {
            block.endsWithBlank = false;
            break;
        }
        block.hasHeaders = true;
        at = end + 1;
    }
    block.end = std::min(at, bytes.size());
    return block;
}

// The bytes of a message file as GMime reads them, or nullopt when they are not mail: empty, or
// binary (a NUL byte in the header block, or no header block at all). Line ends of old Mac files
// (CR alone) become LF; NUL bytes in a body carry no text and are dropped.
std::optional<std::string> readableMessageBytes(std::string bytes, bool& hasHeaders) {
    if (bytes.empty())
        return std::nullopt;
    if (bytes.find('\n') == std::string::npos)
        std::replace(bytes.begin(), bytes.end(), '\r', '\n');
    const HeaderBlock block = headerBlockOf(bytes);
    hasHeaders = block.hasHeaders;
    if (const std::size_t nul = bytes.find('\0'); nul != std::string::npos) {
        if (!block.hasHeaders || nul < block.end)
            return std::nullopt;
        bytes.erase(
            std::remove(bytes.begin() + static_cast<std::ptrdiff_t>(block.end), bytes.end(), '\0'),
            bytes.end());
    }
    const std::string_view headers = std::string_view(bytes).substr(0, block.end);
    std::string joined = withBase64WordsJoined(headers);
    if (block.endsWithBlank && joined == headers)
        return bytes; // most mail: nothing to mend, so no copy of the whole file
    const std::size_t end = joined.size();
    joined.append(bytes, block.end);
    if (!block.endsWithBlank)
        joined.insert(end, 1, '\n');
    return joined;
}

struct ParsedMessage {
    GObjectHandle<GMimeMessage> message;
    std::int64_t fileSize{0};
    std::int64_t fileModified{0};
};

// The message in the file, with the file's status when it was read; a null message with *error
// set when it cannot be read or is not mail.
ParsedMessage parseMessage(const std::filesystem::path& file, std::string* error) {
    auto read = readFileBytes(file, error);
    if (!read)
        return {};
    bool hasHeaders = false;
    auto readable = readableMessageBytes(std::move(read->bytes), hasHeaders);
    if (!readable) {
        if (error)
            *error = file.string() + ": not a mail message";
        return {};
    }
    const std::string& bytes = *readable;
    GObjectHandle<GMimeStream> stream(
        gmimeLibrary().g_mime_stream_mem_new_with_buffer(bytes.data(), bytes.size()));
    // One parser per thread, set to each new stream: making a parser allocates its scan buffer,
    // which was a noticeable part of reading a small message.
    thread_local const GObjectHandle<GMimeParser> parser(gmimeLibrary().g_mime_parser_new());
    gmimeLibrary().g_mime_parser_init_with_stream(parser.get(), stream.get());
    GObjectHandle<GMimeMessage> message(
        gmimeLibrary().g_mime_parser_construct_message(parser.get(), nullptr));
    GMimeHeaderList* headers =
        message
            ? gmimeLibrary().g_mime_object_get_header_list(gobjectCast<GMimeObject>(message.get()))
            : nullptr;
    if (!message ||
        (hasHeaders && (!headers || gmimeLibrary().g_mime_header_list_get_count(headers) == 0))) {
        if (error)
            *error = file.string() + ": not a mail message";
        return {};
    }
    return {std::move(message), read->size, read->modified};
}

std::optional<std::string> headerValue(GMimeMessage* message, const char* name) {
    const char* value =
        gmimeLibrary().g_mime_object_get_header(gobjectCast<GMimeObject>(message), name);
    if (!value)
        return std::nullopt;
    std::string text(value);
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::nullopt;
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// Bytes that claim no charset, or one that could not be converted: UTF-8 when they are, else
// the Windows superset of ISO-8859-1 that unlabelled mail mostly uses; never invalid UTF-8.
std::string asValidUtf8(std::string bytes) {
    if (g_utf8_validate(bytes.data(), static_cast<gssize>(bytes.size()), nullptr))
        return bytes;
    gsize written = 0;
    const GStringHandle converted(g_convert(bytes.data(), static_cast<gssize>(bytes.size()),
                                            "UTF-8", "WINDOWS-1252", nullptr, &written, nullptr));
    if (converted)
        return std::string(converted.get(), written);
    const GStringHandle valid(g_utf8_make_valid(bytes.data(), static_cast<gssize>(bytes.size())));
    return valid.get();
}

// A display name as one line: a name folded over lines ("Ada\n\tLovelace") reads "Ada Lovelace".
std::string unfoldedName(const char* name) {
    std::string unfolded;
    bool blank = false;
    for (const char* c = name; *c; ++c) {
        if (*c == ' ' || *c == '\t' || *c == '\r' || *c == '\n') {
            blank = true;
            continue;
        }
        if (blank && !unfolded.empty())
            unfolded += ' ';
        blank = false;
        unfolded += *c;
    }
    return unfolded;
}

void appendAddresses(InternetAddressList* list, std::vector<std::string>& out) {
    const int count = list ? gmimeLibrary().internet_address_list_length(list) : 0;
    for (int index = 0; index < count; ++index) {
        InternetAddress* address = gmimeLibrary().internet_address_list_get_address(list, index);
        if (isGroup(address)) {
            appendAddresses(gmimeLibrary().internet_address_group_get_members(
                                gobjectCast<InternetAddressGroup>(address)),
                            out);
            continue;
        }
        if (!isMailbox(address))
            continue;
        const char* addr = gmimeLibrary().internet_address_mailbox_get_addr(
            gobjectCast<InternetAddressMailbox>(address));
        const char* written = gmimeLibrary().internet_address_get_name(address);
        // GMime passes on the bytes of a word in a charset it does not know, and raw 8-bit ones.
        const std::string name = asValidUtf8(unfoldedName(written ? written : ""));
        const std::string bare = asValidUtf8(addr ? addr : "");
        if (!name.empty())
            out.push_back(bare.empty() ? name : name + " <" + bare + ">");
        else if (!bare.empty())
            out.push_back(bare);
    }
}

std::optional<std::vector<std::string>> addressField(GMimeMessage* message, GMimeAddressType type,
                                                     const char* header) {
    // Asked of the header list, which does not decode the field as getting its value would.
    if (!gmimeLibrary().g_mime_header_list_contains(
            gmimeLibrary().g_mime_object_get_header_list(gobjectCast<GMimeObject>(message)),
            header))
        return std::nullopt;
    std::vector<std::string> addresses;
    appendAddresses(gmimeLibrary().g_mime_message_get_addresses(message, type), addresses);
    return addresses;
}

struct TextParts {
    GMimePart* html{nullptr};
    GMimePart* plain{nullptr};
};

void findTextParts(GMimeObject* object, TextParts& parts) {
    if (isMultipart(object)) {
        GMimeMultipart* multipart = gobjectCast<GMimeMultipart>(object);
        const int count = gmimeLibrary().g_mime_multipart_get_count(multipart);
        for (int index = 0; index < count; ++index)
            findTextParts(gmimeLibrary().g_mime_multipart_get_part(multipart, index), parts);
        return;
    }
    if (!isPart(object) || gmimeLibrary().g_mime_part_is_attachment(gobjectCast<GMimePart>(object)))
        return;
    GMimeContentType* type = gmimeLibrary().g_mime_object_get_content_type(object);
    // A type without its subtype ("text") is invalid, which RFC 2045 reads as text/plain.
    // GMime puts a default in place of such a type, so the header as written is what tells.
    const char* written = gmimeLibrary().g_mime_object_get_header(object, "Content-Type");
    const bool invalid = written && !std::strchr(written, '/');
    if (!parts.html && !invalid && gmimeLibrary().g_mime_content_type_is_type(type, "text", "html"))
        parts.html = gobjectCast<GMimePart>(object);
    else if (!parts.plain &&
             (invalid || gmimeLibrary().g_mime_content_type_is_type(type, "text", "plain")))
        parts.plain = gobjectCast<GMimePart>(object);
}

bool isUtf8Charset(const char* charset) {
    return g_ascii_strcasecmp(charset, "utf-8") == 0 || g_ascii_strcasecmp(charset, "utf8") == 0;
}

// Labels that mail programs put on text whatever it holds; text under them that is valid UTF-8
// and not plain ASCII was written in UTF-8, as a Latin-1 reading of it would be nonsense.
bool isLatinLabel(const char* charset) {
    for (const char* label : {"iso-8859-1", "iso8859-1", "latin1", "l1", "iso-8859-15",
                              "windows-1252", "cp1252", "us-ascii", "ascii"})
        if (g_ascii_strcasecmp(charset, label) == 0)
            return true;
    return false;
}

// What a memory stream holds. An empty one may have no storage at all, which GLib's text
// functions refuse.
std::string contentsOf(GMimeStream* memory) {
    const GByteArray* bytes =
        gmimeLibrary().g_mime_stream_mem_get_byte_array(gobjectCast<GMimeStreamMem>(memory));
    if (bytes->len == 0)
        return {};
    return std::string(reinterpret_cast<const char*>(bytes->data), bytes->len);
}

// The part's content with its transfer encoding undone and its line ends made LF.
std::string transferDecoded(GMimePart* part) {
    GMimeDataWrapper* content = gmimeLibrary().g_mime_part_get_content(part);
    if (!content)
        return {};
    GObjectHandle<GMimeStream> memory(gmimeLibrary().g_mime_stream_mem_new());
    GObjectHandle<GMimeStream> filtered(gmimeLibrary().g_mime_stream_filter_new(memory.get()));
    GObjectHandle<GMimeFilter> lineEnds(gmimeLibrary().g_mime_filter_dos2unix_new(FALSE));
    gmimeLibrary().g_mime_stream_filter_add(gobjectCast<GMimeStreamFilter>(filtered.get()),
                                            lineEnds.get());
    gmimeLibrary().g_mime_data_wrapper_write_to_stream(content, filtered.get());
    gmimeLibrary().g_mime_stream_flush(filtered.get());
    return contentsOf(memory.get());
}

// The part's text in UTF-8, from whatever charset it claims; never invalid UTF-8.
std::string decodedText(GMimePart* part) {
    std::string raw = transferDecoded(part);
    const char* charset = gmimeLibrary().g_mime_object_get_content_type_parameter(
        gobjectCast<GMimeObject>(part), "charset");
    if (!charset || isUtf8Charset(charset) ||
        (isLatinLabel(charset) &&
         g_utf8_validate(raw.data(), static_cast<gssize>(raw.size()), nullptr)))
        return asValidUtf8(std::move(raw));
    GObjectHandle<GMimeFilter> filter(gmimeLibrary().g_mime_filter_charset_new(charset, "UTF-8"));
    if (!filter)
        return asValidUtf8(std::move(raw)); // a charset nobody knows ("unknown-8bit")
    GObjectHandle<GMimeStream> memory(gmimeLibrary().g_mime_stream_mem_new());
    GObjectHandle<GMimeStream> filtered(gmimeLibrary().g_mime_stream_filter_new(memory.get()));
    gmimeLibrary().g_mime_stream_filter_add(gobjectCast<GMimeStreamFilter>(filtered.get()),
                                            filter.get());
    gmimeLibrary().g_mime_stream_write(filtered.get(), raw.data(), raw.size());
    gmimeLibrary().g_mime_stream_flush(filtered.get());
    const std::string converted = contentsOf(memory.get());
    const GStringHandle valid(
        g_utf8_make_valid(converted.data(), static_cast<gssize>(converted.size())));
    return valid.get();
}

std::size_t decodedSize(GMimeObject* object) {
    GObjectHandle<GMimeStream> memory(gmimeLibrary().g_mime_stream_mem_new());
    if (isPart(object)) {
        GMimeDataWrapper* content =
            gmimeLibrary().g_mime_part_get_content(gobjectCast<GMimePart>(object));
        if (!content)
            return 0;
        gmimeLibrary().g_mime_data_wrapper_write_to_stream(content, memory.get());
    } else if (isMessagePart(object)) {
        GMimeMessage* inner =
            gmimeLibrary().g_mime_message_part_get_message(gobjectCast<GMimeMessagePart>(object));
        if (!inner)
            return 0;
        gmimeLibrary().g_mime_object_write_to_stream(gobjectCast<GMimeObject>(inner), nullptr,
                                                     memory.get());
    }
    return gmimeLibrary()
        .g_mime_stream_mem_get_byte_array(gobjectCast<GMimeStreamMem>(memory.get()))
        ->len;
}

void findAttachments(GMimeObject* object, const TextParts& body, std::vector<Attachment>& found) {
    if (isMultipart(object)) {
        GMimeMultipart* multipart = gobjectCast<GMimeMultipart>(object);
        const int count = gmimeLibrary().g_mime_multipart_get_count(multipart);
        for (int index = 0; index < count; ++index)
            findAttachments(gmimeLibrary().g_mime_multipart_get_part(multipart, index), body,
                            found);
        return;
    }
    GMimeContentType* type = gmimeLibrary().g_mime_object_get_content_type(object);
    const char* media = type ? gmimeLibrary().g_mime_content_type_get_media_type(type) : nullptr;
    const char* subtype =
        type ? gmimeLibrary().g_mime_content_type_get_media_subtype(type) : nullptr;
    const std::string typeName = std::string(media && *media ? media : "text") + "/" +
                                 (subtype && *subtype ? subtype : "plain");
    const char* disposition =
        gmimeLibrary().g_mime_object_get_content_disposition_parameter(object, "filename");
    std::string name = disposition ? disposition : "";
    if (isPart(object)) {
        GMimePart* part = gobjectCast<GMimePart>(object);
        if (part == body.html || part == body.plain)
            return;
        if (const char* filename = gmimeLibrary().g_mime_part_get_filename(part))
            name = filename;
        const bool text = typeName.starts_with("text/");
        if (!gmimeLibrary().g_mime_part_is_attachment(part) && name.empty() && text)
            return; // an alternative text of the body, not something to save
    } else if (!isMessagePart(object)) {
        return;
    }
    found.push_back({name, typeName, decodedSize(object)});
}

} // namespace

std::vector<Attachment> readAttachments(const std::filesystem::path& file) {
    const GObjectHandle<GMimeMessage> message = parseMessage(file, nullptr).message;
    if (!message)
        return {};
    GMimeObject* body = gmimeLibrary().g_mime_message_get_mime_part(message.get());
    if (!body)
        return {};
    TextParts parts;
    findTextParts(body, parts);
    // The preferred body is one part; the other text alternative is not an attachment either.
    std::vector<Attachment> found;
    findAttachments(body, parts, found);
    return found;
}

namespace {

MessageHeaders headersOf(GMimeMessage* message) {
    MessageHeaders headers;
    // The first Subject, as Python's email package and mutt take it; GMime's own is the last.
    if (const char* subject =
            gmimeLibrary().g_mime_object_get_header(gobjectCast<GMimeObject>(message), "Subject"))
        headers.subject = asValidUtf8(subject);
    headers.senders = addressField(message, GMIME_ADDRESS_TYPE_FROM, "From");
    headers.to = addressField(message, GMIME_ADDRESS_TYPE_TO, "To");
    headers.cc = addressField(message, GMIME_ADDRESS_TYPE_CC, "Cc");
    headers.messageIDHeader = headerValue(message, "Message-ID");
    if (GDateTime* date = gmimeLibrary().g_mime_message_get_date(message))
        headers.dateSent = static_cast<double>(g_date_time_to_unix(date)) - kReferenceDateOffset;
    return headers;
}

std::optional<BodyText> preferredBodyOf(GMimeMessage* message) {
    TextParts parts;
    GMimeObject* body = gmimeLibrary().g_mime_message_get_mime_part(message);
    if (body)
        findTextParts(body, parts);
    if (GMimePart* part = parts.html ? parts.html : parts.plain)
        return BodyText{decodedText(part), part == parts.html};
    // A multipart without parts (no boundary parameter, or a boundary that never comes) holds
    // all of its text before the first boundary.
    if (body && isMultipart(body) &&
        gmimeLibrary().g_mime_multipart_get_count(gobjectCast<GMimeMultipart>(body)) == 0)
        if (const char* prologue =
                gmimeLibrary().g_mime_multipart_get_prologue(gobjectCast<GMimeMultipart>(body)))
            return BodyText{asValidUtf8(prologue), false};
    return std::nullopt;
}

} // namespace

std::optional<MessageHeaders> readMessageHeaders(const std::filesystem::path& file,
                                                 std::string* error) {
    const GObjectHandle<GMimeMessage> message = parseMessage(file, error).message;
    if (!message)
        return std::nullopt;
    return headersOf(message.get());
}

std::optional<MessageContents> readMessageContents(const std::filesystem::path& file,
                                                   std::string* error) {
    const ParsedMessage parsed = parseMessage(file, error);
    if (!parsed.message)
        return std::nullopt;
    return MessageContents{headersOf(parsed.message.get()), preferredBodyOf(parsed.message.get()),
                           parsed.fileSize, parsed.fileModified};
}

std::optional<BodyText> readPreferredBody(const std::filesystem::path& file, std::string* error) {
    const GObjectHandle<GMimeMessage> message = parseMessage(file, error).message;
    if (!message)
        return std::nullopt;
    auto body = preferredBodyOf(message.get());
    if (!body && error)
        error->clear();
    return body;
}

} // namespace tintbox::sim::mail
