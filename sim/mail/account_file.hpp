// The accounts file of the Mail stand-in: which accounts the device has and where their mail is.
// It is the property list at kAccountsFilePath (a device path), an array of dictionaries:
//
//   <array>
//     <dict>
//       <key>DisplayName</key> <string>Work</string>     the account's name (its colour key)
//       <key>Class</key>       <string>MailAccount</string>
//       <key>Maildir</key>     <string>var/mobile/Library/Mail/Work</string>
//     </dict>
//   </array>
//
// Class is "MailAccount", a registered runtime subclass of it, or "LocalAccount" (absent: a
// MailAccount). Maildir is a host path when it starts with "/" (a user's own Maildir, used in
// place), otherwise a path inside the device root. Entries keep the file's order.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tintbox::sim::mail {

inline constexpr std::string_view kAccountsFilePath = "/var/mobile/Library/Mail/Accounts.plist";
inline constexpr std::string_view kMailAccountClassName = "MailAccount";
inline constexpr std::string_view kLocalAccountClassName = "LocalAccount";

struct AccountEntry {
    std::string displayName;
    std::string className{kMailAccountClassName};
    std::string maildir; // as written in the file
    bool operator==(const AccountEntry&) const = default;
};

struct AccountFileContents {
    std::vector<AccountEntry> accounts;
    std::vector<std::string> warnings; // one line each, naming the file and the problem
};

// The host file of the device's accounts file.
std::filesystem::path accountsFilePath();

// The entries of an accounts file. A missing file is an empty list without warning; a file that
// is not an array of accounts gives no accounts and one warning; a bad entry is left out with a
// warning of its own.
AccountFileContents readAccountFile(const std::filesystem::path& file);

// Writes the entries atomically; false with *error set when that fails.
bool writeAccountFile(const std::vector<AccountEntry>& accounts, const std::filesystem::path& file,
                      std::string* error = nullptr);

// Adds entry at the end, or replaces in place the entry with the same display name.
void upsertAccount(std::vector<AccountEntry>& accounts, AccountEntry entry);

// The host folder that an entry's Maildir names (see the format above).
std::filesystem::path resolveMaildir(std::string_view maildir);

} // namespace tintbox::sim::mail
