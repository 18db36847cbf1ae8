#include "platform/preferences/preferences_domain.hpp"

#include "platform/foundation/device_path.hpp"
#include "platform/foundation/dictionary_file_update.hpp"
#include "platform/foundation/property_list.hpp"

namespace preferences {

std::optional<std::filesystem::path> domainFilePath(const std::string& domain) {
    // A domain names a file in the preferences folder, never a path out of it.
    if (domain.empty() || domain == "." || domain == ".." ||
        domain.find_first_of(std::string("/\0", 2)) != std::string::npos)
        return std::nullopt;
    return foundation::devicePath("/var/mobile/Library/Preferences/" + domain + ".plist");
}

std::optional<foundation::Value> readDomainValue(const std::string& domain,
                                                 const std::string& key) {
    auto path = domainFilePath(domain);
    if (!path)
        return std::nullopt;
    auto contents = foundation::dictionaryWithContentsOfFile(*path);
    if (!contents)
        return std::nullopt;
    const foundation::Value* found = foundation::find(*contents, key);
    if (!found)
        return std::nullopt;
    return *found;
}

bool writeDomainValue(const std::string& domain, const std::string& key,
                      const foundation::Value& value, std::string* error) {
    auto path = domainFilePath(domain);
    if (!path) {
        if (error)
            *error = "\"" + domain + "\" is not a preferences domain";
        return false;
    }
    const auto update =
        foundation::updateDictionaryFile(*path, [&](foundation::Dictionary& contents) {
            if (value.isNull())
                contents.erase(key);
            else
                contents.insert_or_assign(key, value);
            return true;
        });
    if (error)
        *error = !update.error.empty() ? update.error : update.notice;
    return update.wrote;
}

} // namespace preferences
