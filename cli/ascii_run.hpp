// How many leading bytes of a text are printable ASCII (0x20 to 0x7E), looked at eight bytes at
// a time: most of what the terminal shows is such text, which is copied or measured whole.
//   const std::size_t plain = printableAsciiPrefix(text, text.size());
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tintbox::cli {

// Looks at no more than `limit` bytes.
inline std::size_t printableAsciiPrefix(std::string_view text, std::size_t limit) {
    constexpr std::uint64_t kEachByte = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    const std::size_t end = std::min(text.size(), limit);
    std::size_t i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + 8 <= end; i += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, text.data() + i, sizeof word);
            // A byte below 0x20, or one of 0x7F and above (its high bit, or one more than it
            // has it); carries only come from bytes that are caught anyway.
            const std::uint64_t below = (word - kEachByte * 0x20) & ~word & kHighBits;
            const std::uint64_t above = (word | (word + kEachByte)) & kHighBits;
            if (below | above)
                break;
        }
    }
    while (i < end && text[i] >= 0x20 && text[i] < 0x7F)
        ++i;
    return i;
}

} // namespace tintbox::cli
