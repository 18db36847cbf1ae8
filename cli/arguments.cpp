#include "cli/arguments.hpp"

#include <algorithm>

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

std::vector<Arguments::Occurrence>
Arguments::takeInOrder(const std::vector<std::pair<std::string_view, std::size_t>>& options) {
    std::vector<Occurrence> taken;
    for (auto it = m_words.begin(); it != m_words.end();) {
        const auto option = std::find_if(options.begin(), options.end(), [&](const auto& o) {
            return *it == o.first || it->starts_with(std::string(o.first) + "=");
        });
        if (option == options.end()) {
            ++it;
            continue;
        }
        const auto [name, count] = *option;
        Occurrence occurrence{std::string(name), {}};
        auto end = std::next(it);
        if (*it != name)
            occurrence.values.push_back(it->substr(name.size() + 1));
        while (occurrence.values.size() < count) {
            if (end == m_words.end())
                throw UsageError(std::string(name) + " needs " + std::to_string(count) +
                                 (count == 1 ? " value" : " values"));
            occurrence.values.push_back(*end++);
        }
        taken.push_back(std::move(occurrence));
        it = m_words.erase(it, end);
    }
    return taken;
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
