#include "pane/account_list.hpp"

#include "host/mail.hpp"
#include "platform/corefoundation/version_number.hpp"
#include "platform/foundation/device_path.hpp"
#include "platform/foundation/property_list.hpp"
#include "platform/foundation/string_compare.hpp"
#include "settings/keys.hpp"

#include <algorithm>
#include <map>

namespace tintbox::pane {
namespace {

constexpr double kFirstVersionWithHostAccounts = 1140.1;

} // namespace

int sortAccounts(const std::string& first, const std::string& second, void*) {
    return foundation::caseInsensitiveCompare(first, second);
}

std::string accountRowName(const std::string& key) {
    if (key.starts_with(settings::kAccountNamePrefix))
        return key.substr(settings::kAccountNamePrefix.size());
    return key;
}

std::vector<std::string> accountRowNames(std::vector<std::string> keys) {
    std::stable_sort(keys.begin(), keys.end(), [](const std::string& a, const std::string& b) {
        return sortAccounts(a, b, nullptr) < 0;
    });
    std::vector<std::string> names;
    names.reserve(keys.size());
    for (const std::string& key : keys)
        names.push_back(accountRowName(key));
    return names;
}

std::optional<std::vector<std::string>> accountSetKeys() {
    std::vector<std::string> keys;
    if (corefoundation::kCFCoreFoundationVersionNumber < kFirstVersionWithHostAccounts) {
        const auto registry = foundation::dictionaryWithContentsOfFile(
            foundation::devicePath(settings::kAccountRegistryFilePath));
        if (!registry)
            return std::nullopt;
        for (const auto& entry : *registry)
            keys.push_back(entry.first);
        return keys;
    }
    // A set: an account name shown twice is listed once.
    std::map<std::string, bool> names;
    for (const auto& account : host::activeAccounts()) {
        if (!host::isLocalAccount(account.get()))
            names[host::displayName(account.get())] = true;
    }
    for (const auto& entry : names)
        keys.push_back(entry.first);
    return keys;
}

} // namespace tintbox::pane
