#include "cli/arguments.hpp"

namespace tintbox::cli {

bool Arguments::takeFlag(std::string_view name) {
    bool found = false;
    for (auto it = m_words.begin(); it != m_words.end();) {
        if (*it == name) {
            found = true;
            it = m_words.erase(it);
        } else {
            ++it;
        }
    }
    return found;
}

std::vector<std::string> Arguments::takeRepeated(std::string_view name) {
    std::vector<std::string> values;
    const std::string withEquals = std::string(name) + "=";
    for (auto it = m_words.begin(); it != m_words.end();) {
        if (it->starts_with(withEquals)) {
            values.push_back(it->substr(withEquals.size()));
            it = m_words.erase(it);
        } else if (*it == name) {
            if (std::next(it) == m_words.end())
                throw UsageError(std::string(name) + " needs a value");
            values.push_back(*std::next(it));
            it = m_words.erase(it, std::next(it, 2));
        } else {
            ++it;
        }
    }
    return values;
}

std::optional<std::string> Arguments::takeOption(std::string_view name) {
    auto values = takeRepeated(name);
    if (values.empty())
        return std::nullopt;
    if (values.size() > 1)
        throw UsageError(std::string(name) + " is given more than once");
    return values.front();
}

std::optional<std::string> Arguments::takePositional() {
    for (auto it = m_words.begin(); it != m_words.end(); ++it) {
        if (it->starts_with("--"))
            continue;
        std::string word = *it;
        m_words.erase(it);
        return word;
    }
    return std::nullopt;
}

void Arguments::finish() const {
    if (m_words.empty())
        return;
    const std::string& word = m_words.front();
    if (word.starts_with("-"))
        throw UsageError("unknown option '" + word + "'");
    throw UsageError("unexpected argument '" + word + "'");
}

} // namespace tintbox::cli
