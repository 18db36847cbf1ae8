#include "cli/near_names.hpp"

#include <algorithm>
#include <cctype>

namespace tintbox::cli {
namespace {

char folded(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Edits (insert, delete, replace, swap of neighbours) between two names, ignoring case.
std::size_t distance(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = folded(a[i - 1]) == folded(b[j - 1]) ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && folded(a[i - 1]) == folded(b[j - 2]) &&
                folded(a[i - 2]) == folded(b[j - 1]))
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[a.size()][b.size()];
}

} // namespace

std::vector<std::string>
nearestNames(std::string_view word, const std::vector<std::string>& candidates, std::size_t count) {
    const std::size_t limit = std::max<std::size_t>(2, word.size() / 3);
    std::vector<std::pair<std::size_t, std::string>> near;
    for (const std::string& candidate : candidates) {
        const std::size_t edits = distance(word, candidate);
        const bool prefix = word.size() >= 3 && candidate.size() > word.size() &&
                            std::equal(word.begin(), word.end(), candidate.begin(),
                                       [](char x, char y) { return folded(x) == folded(y); });
        if (edits <= limit || prefix)
            near.emplace_back(prefix ? 0 : edits, candidate);
    }
    std::stable_sort(near.begin(), near.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    std::vector<std::string> names;
    for (const auto& [edits, name] : near)
        if (names.size() < count && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    return names;
}

std::string listOfNames(const std::vector<std::string>& names, std::string_view quote) {
    if (names.empty())
        return "none";
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            text += i + 1 == names.size() ? " or " : ", ";
        text += std::string(quote) + names[i] + std::string(quote);
    }
    return text;
}

std::string didYouMean(std::string_view word, const std::vector<std::string>& candidates) {
    const auto near = nearestNames(word, candidates);
    if (near.empty())
        return {};
    return " (did you mean " + listOfNames(near, "'") + "?)";
}

} // namespace tintbox::cli
