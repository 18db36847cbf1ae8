#include "platform/foundation/percent_escapes.hpp"

namespace foundation {
namespace {

bool isLegalInURL(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    return std::string_view("-_.~!*'();:@&=+$,/?").find(static_cast<char>(c)) !=
           std::string_view::npos;
}

} // namespace

std::string stringByAddingPercentEscapes(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(utf8.size());
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (isLegalInURL(byte)) {
            escaped += c;
            continue;
        }
        escaped += '%';
        escaped += kHex[byte >> 4];
        escaped += kHex[byte & 0x0F];
    }
    return escaped;
}

} // namespace foundation
