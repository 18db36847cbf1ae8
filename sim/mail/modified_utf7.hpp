// IMAP's modified UTF-7 (RFC 3501 5.1.3), the encoding mbsync and OfflineIMAP give folder names
// on disk: "&AMk-quipe" is "Équipe", "&-" is "&".
//   std::string shown = decodeModifiedUtf7(name).value_or(name);
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tintbox::sim::mail {

// The UTF-8 text of a modified UTF-7 name; nullopt when the name is not valid modified UTF-7
// (bytes outside printable ASCII, a shift without its "-", stray bits, printable ASCII or a
// lone surrogate inside a shift).
std::optional<std::string> decodeModifiedUtf7(std::string_view name);

} // namespace tintbox::sim::mail
