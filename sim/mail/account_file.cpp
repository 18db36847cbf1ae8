#include "sim/mail/account_file.hpp"

#include "platform/foundation/device_path.hpp"
#include "platform/foundation/property_list.hpp"

#include <algorithm>

namespace tintbox::sim::mail {
namespace {

constexpr std::string_view kDisplayNameKey = "DisplayName";
constexpr std::string_view kClassKey = "Class";
constexpr std::string_view kMaildirKey = "Maildir";

const std::string* stringEntry(const foundation::Dictionary& entry, std::string_view key) {
    const foundation::Value* value = foundation::find(entry, key);
    return value ? value->asString() : nullptr;
}

} // namespace

std::filesystem::path accountsFilePath() {
    return foundation::devicePath(kAccountsFilePath);
}

AccountFileContents readAccountFile(const std::filesystem::path& file) {
    AccountFileContents contents;
    std::error_code ignored;
    if (!std::filesystem::exists(file, ignored))
        return contents;
    std::string error;
    const auto document = foundation::readPropertyListFile(file, &error);
    if (!document) {
        contents.warnings.push_back(error + "; no accounts");
        return contents;
    }
    const foundation::Array* entries = document->asArray();
    if (!entries) {
        contents.warnings.push_back(file.string() + ": not an array of accounts; no accounts");
        return contents;
    }
    for (std::size_t index = 0; index < entries->size(); ++index) {
        const std::string where = file.string() + ": account " + std::to_string(index + 1);
        const foundation::Dictionary* entry = (*entries)[index].asDictionary();
        if (!entry) {
            contents.warnings.push_back(where + " is not a dictionary; left out");
            continue;
        }
        const std::string* name = stringEntry(*entry, kDisplayNameKey);
        const std::string* maildir = stringEntry(*entry, kMaildirKey);
        if (!name || name->empty() || !maildir || maildir->empty()) {
            contents.warnings.push_back(where +
                                        " needs a DisplayName and a Maildir string; left out");
            continue;
        }
        AccountEntry account{*name, std::string(kMailAccountClassName), *maildir};
        if (const foundation::Value* cls = foundation::find(*entry, kClassKey)) {
            if (!cls->asString() || cls->asString()->empty()) {
                contents.warnings.push_back(where + ": Class is not a class name; left out");
                continue;
            }
            account.className = *cls->asString();
        }
        contents.accounts.push_back(std::move(account));
    }
    return contents;
}

bool writeAccountFile(const std::vector<AccountEntry>& accounts, const std::filesystem::path& file,
                      std::string* error) {
    foundation::Array entries;
    for (const AccountEntry& account : accounts)
        entries.emplace_back(
            foundation::Dictionary{{std::string(kDisplayNameKey), account.displayName},
                                   {std::string(kClassKey), account.className},
                                   {std::string(kMaildirKey), account.maildir}});
    std::error_code created;
    std::filesystem::create_directories(file.parent_path(), created);
    try {
        return foundation::writePropertyListAtomically(foundation::Value(std::move(entries)), file,
                                                       error);
    } catch (const std::invalid_argument& invalid) {
        if (error)
            *error = file.string() + ": " + invalid.what();
        return false;
    }
}

void upsertAccount(std::vector<AccountEntry>& accounts, AccountEntry entry) {
    const auto same = std::find_if(accounts.begin(), accounts.end(), [&](const AccountEntry& a) {
        return a.displayName == entry.displayName;
    });
    if (same == accounts.end())
        accounts.push_back(std::move(entry));
    else
        *same = std::move(entry);
}

std::filesystem::path resolveMaildir(std::string_view maildir) {
    if (maildir.starts_with('/'))
        return std::filesystem::path(maildir).lexically_normal();
    return foundation::devicePath(std::string("/").append(maildir));
}

} // namespace tintbox::sim::mail
