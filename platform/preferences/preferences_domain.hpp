// The file of a preferences domain (a specifier's "defaults"), as the settings framework
// stores rows' values: /var/mobile/Library/Preferences/<domain>.plist in the device root.
//   auto value = preferences::readDomainValue("net.example", "enabled");
#pragma once

#include "platform/foundation/value.hpp"

#include <filesystem>
#include <optional>
#include <string>

namespace preferences {

// The host file of the domain; nullopt for a domain that is not a plain file name.
std::optional<std::filesystem::path> domainFilePath(const std::string& domain);
// The key's entry in the domain's file; nullopt when the file, the entry or the domain is
// missing or unreadable.
std::optional<foundation::Value> readDomainValue(const std::string& domain, const std::string& key);
// Rereads the file under the writers' lock, sets (or with a null value removes) the key and
// writes the whole file atomically; false with *error set when the domain is invalid or the
// file cannot be written. A file that exists but cannot be read is kept aside first
// (foundation::unreadableBackupOf), and *error then says where, though the write succeeded.
bool writeDomainValue(const std::string& domain, const std::string& key,
                      const foundation::Value& value, std::string* error = nullptr);

} // namespace preferences
