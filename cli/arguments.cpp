#include "cli/arguments.hpp"

#include <algorithm>

namespace tintbox::cli {

bool Arguments::flag(std::string_view name) const {
    return std::any_of(m_uses.begin(), m_uses.end(),
                       [&](const Use& use) { return use.name == name; });
}

std::optional<std::string> Arguments::value(std::string_view name) const {
    for (const Use& use : m_uses)
        if (use.name == name)
            return use.values.empty() ? std::string() : use.values.front();
    return std::nullopt;
}

std::vector<std::string> Arguments::values(std::string_view name) const {
    std::vector<std::string> all;
    for (const Use& use : m_uses)
        if (use.name == name)
            all.insert(all.end(), use.values.begin(), use.values.end());
    return all;
}

std::vector<Arguments::Use> Arguments::inOrder(const std::vector<std::string_view>& names) const {
    std::vector<Use> uses;
    for (const Use& use : m_uses)
        if (std::find(names.begin(), names.end(), use.name) != names.end())
            uses.push_back(use);
    return uses;
}

std::optional<std::string> Arguments::operand(std::string_view name) const {
    const auto found = m_operands.find(std::string(name));
    if (found == m_operands.end())
        return std::nullopt;
    return found->second;
}

} // namespace tintbox::cli
