#include "sim/mail/modified_utf7.hpp"

#include <cstdint>
#include <vector>

namespace tintbox::sim::mail {
namespace {

// Modified base64: the usual alphabet with "," in place of "/".
int sextetOf(char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == ',')
        return 63;
    return -1;
}

void appendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The UTF-16 code units of one shifted run (the text between "&" and "-"), turned into UTF-8.
bool appendShifted(std::string_view run, std::string& out) {
    std::vector<char16_t> units;
    std::uint32_t bits = 0;
    int held = 0;
    for (const char c : run) {
        const int sextet = sextetOf(c);
        if (sextet < 0)
            return false;
        bits = (bits << 6) | static_cast<std::uint32_t>(sextet);
        held += 6;
        if (held >= 16) {
            held -= 16;
            units.push_back(static_cast<char16_t>(bits >> held));
            bits &= (1u << held) - 1;
        }
    }
    // What is left over is padding: fewer than six bits, all zero.
    if (held >= 6 || bits != 0 || units.empty())
        return false;
    for (std::size_t index = 0; index < units.size(); ++index) {
        const char16_t unit = units[index];
        if (unit >= 0x20 && unit <= 0x7E)
            return false; // printable ASCII stands for itself and is never shifted
        if (unit >= 0xDC00 && unit <= 0xDFFF)
            return false;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (index + 1 == units.size() || units[index + 1] < 0xDC00 || units[index + 1] > 0xDFFF)
                return false;
            const char16_t low = units[++index];
            appendUtf8(0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(low) - 0xDC00), out);
            continue;
        }
        appendUtf8(unit, out);
    }
    return true;
}

} // namespace

std::optional<std::string> decodeModifiedUtf7(std::string_view name) {
    std::string decoded;
    for (std::size_t at = 0; at < name.size(); ++at) {
        const char c = name[at];
        if (c < 0x20 || c > 0x7E)
            return std::nullopt;
        if (c != '&') {
            decoded += c;
            continue;
        }
        const std::size_t end = name.find('-', at + 1);
        if (end == std::string_view::npos)
            return std::nullopt;
        if (end == at + 1)
            decoded += '&';
        else if (!appendShifted(name.substr(at + 1, end - at - 1), decoded))
            return std::nullopt;
        at = end;
    }
    return decoded;
}

} // namespace tintbox::sim::mail
