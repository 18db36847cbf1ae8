// The words of a command line after the command name, taken one option at a time: each command
// takes the options it knows and then calls finish(), which refuses anything left over.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tintbox::cli {

// A mistake in the command line; its message is one line that names the argument.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Arguments {
public:
    explicit Arguments(std::vector<std::string> words) : m_words(std::move(words)) {}

    // Takes "--name"; true when it was given.
    bool takeFlag(std::string_view name);
    // Takes "--name VALUE" or "--name=VALUE"; given twice is a usage error.
    std::optional<std::string> takeOption(std::string_view name);
    // Takes every "--name VALUE", in order.
    std::vector<std::string> takeRepeated(std::string_view name);
    // Takes every occurrence of the named options, each with its count of values ("--name=V"
    // gives the first), in the order given on the command line; a missing value is a usage error.
    struct Occurrence {
        std::string name;
        std::vector<std::string> values;
    };
    std::vector<Occurrence>
    takeInOrder(const std::vector<std::pair<std::string_view, std::size_t>>& options);
    // Takes the next word that is not an option.
    std::optional<std::string> takePositional();
    // Refuses whatever is left.
    void finish() const;

    bool empty() const { return m_words.empty(); }

private:
    std::vector<std::string> m_words;
};

} // namespace tintbox::cli
