// Raw RFC 5322 bytes into the Mail stand-in's reader: headers, then the preferred body text.
#include "fuzz/fuzz_support.hpp"
#include "sim/mail/mime_reader.hpp"

#include <unicode/utf8.h>

namespace {

void requireUtf8(const std::string& text, const char* what) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    for (std::int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0)
            tintbox::fuzz::fault(std::string(what) + " is not UTF-8");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = tintbox::fuzz::scratchFile(
        "message.eml", std::string_view(reinterpret_cast<const char*>(data), size));
    if (const auto headers = tintbox::sim::mail::readMessageHeaders(file)) {
        if (headers->subject)
            requireUtf8(*headers->subject, "the subject");
        for (const auto* addresses : {&headers->senders, &headers->to, &headers->cc})
            if (*addresses)
                for (const auto& address : **addresses)
                    requireUtf8(address, "an address");
    }
    if (const auto body = tintbox::sim::mail::readPreferredBody(file))
        requireUtf8(body->text, "the body");
    return 0;
}
