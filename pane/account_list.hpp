// Which accounts the root pane lists and under what names: the account set (the registry file
// on iOS 7, the host's active accounts minus local ones later), sorted case-insensitively by
// the stored keys, each shown with the "f4edcb52" prefix removed.
//   for (const std::string& name : accountRowNames(accountSetKeys())) { ... }
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tintbox::pane {

// The comparison of sortedArrayUsingFunction:context: (the context is ignored): negative,
// zero or positive as first sorts before, with or after second, ignoring case.
int sortAccounts(const std::string& first, const std::string& second, void* context);

// A key's row name: the key without a leading "f4edcb52" (removed once), else the key.
std::string accountRowName(const std::string& key);

// The row names of an account set's keys, in sortAccounts order of the keys as stored.
std::vector<std::string> accountRowNames(std::vector<std::string> keys);

// The account set's keys; nullopt when there is none (no readable registry file on iOS 7).
std::optional<std::vector<std::string>> accountSetKeys();

} // namespace tintbox::pane
