// Bytes as lower-case hexadecimal digits, for handing any bytes to a script line by line.
//   hexText("\xc3\xa9") == "c3a9"
#pragma once

#include <iomanip>
#include <sstream>
#include <string>
#include <string_view>

namespace tintbox::testing {

inline std::string hexText(std::string_view bytes) {
    std::ostringstream text;
    for (const char c : bytes)
        text << std::hex << std::setw(2) << std::setfill('0')
             << static_cast<int>(static_cast<unsigned char>(c));
    return text.str();
}

} // namespace tintbox::testing
