#include "cli/config_values.hpp"

#include "cli/arguments.hpp"
#include "cli/near_names.hpp"
#include "cli/settings_source.hpp"
#include "sim/mail/account_file.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace tintbox::cli {

std::string hexColourArgument(const std::string& option, const std::string& text) {
    const std::string_view digits =
        text.starts_with('#') ? std::string_view(text).substr(1) : std::string_view(text);
    const bool valid = digits.size() == 6 && std::all_of(digits.begin(), digits.end(), [](char c) {
                           return std::isxdigit(static_cast<unsigned char>(c)) != 0;
                       });
    if (!valid)
        throw UsageError(option + " '" + text +
                         "' is not a colour: give six hexadecimal digits, such as 2E7D32");
    std::string hex = "#";
    for (char c : digits)
        hex += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return hex;
}

std::vector<std::string> deviceAccountNames() {
    const auto contents = sim::mail::readAccountFile(sim::mail::accountsFilePath());
    std::vector<std::string> names;
    for (const auto& account : contents.accounts)
        names.push_back(account.displayName);
    return names;
}

std::string deviceAccountNamed(const std::string& name) {
    const auto names = deviceAccountNames();
    if (std::find(names.begin(), names.end(), name) != names.end())
        return name;
    const auto folded = [](std::string text) {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    std::vector<std::string> matches;
    for (const auto& candidate : names)
        if (folded(candidate) == folded(name))
            matches.push_back(candidate);
    if (matches.size() == 1)
        return matches.front();
    if (names.empty())
        throw InputError("no account named '" + name +
                         "': the device has no accounts (add one with tintbox init --account "
                         "NAME=MAILDIR)");
    throw InputError("no account named '" + name + "'" + didYouMean(name, names) +
                     "; the accounts are " + listOfNames(names, "'"));
}

std::size_t filterNumber(const std::string& text, std::size_t count, const std::string& what) {
    std::size_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    const bool whole = !text.empty() && error == std::errc() && end == text.data() + text.size();
    if (whole && number < count)
        return number;
    const std::string range = count == 0   ? "there are no filters"
                              : count == 1 ? "the only one is 0"
                                           : "they are 0 to " + std::to_string(count - 1);
    throw UsageError(what + " '" + text + "' is not a filter number (" + range +
                     "; see tintbox filter list)");
}

} // namespace tintbox::cli
