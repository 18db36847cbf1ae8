#include "platform/foundation/utf16.hpp"

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

namespace foundation {
namespace {

// Calls visit(byteOffsetAfter, unitsOfThisCharacter) for each character; stops when it
// returns false.
template <typename Visitor>
void forEachCharacter(std::string_view utf8, Visitor visit) {
    // ICU's decoder indexes with int32_t.
    if (utf8.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::length_error("text longer than 2 GiB");
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(utf8.data());
    const auto length = static_cast<std::int32_t>(utf8.size());
    for (std::int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        const std::size_t units = c < 0 ? 1 : static_cast<std::size_t>(U16_LENGTH(c));
        if (!visit(static_cast<std::size_t>(i), units))
            return;
    }
}

} // namespace

std::size_t utf16Length(std::string_view utf8) {
    std::size_t total = 0;
    forEachCharacter(utf8, [&](std::size_t, std::size_t units) {
        total += units;
        return true;
    });
    return total;
}

std::string utf16Prefix(std::string_view utf8, std::size_t units) {
    std::size_t taken = 0;
    std::size_t end = 0;
    forEachCharacter(utf8, [&](std::size_t after, std::size_t characterUnits) {
        if (taken + characterUnits > units)
            return false;
        taken += characterUnits;
        end = after;
        return true;
    });
    return std::string(utf8.substr(0, end));
}

} // namespace foundation
