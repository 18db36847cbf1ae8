// What the parser read from a command line, by option name: each command reads the options its
// description declares. Values arrive checked (counts, --name=VALUE, no option taken as a value).
//   const auto account = arguments.value("--account");
//   for (const auto& use : arguments.inOrder({"--toggle", "--choose"})) ...
#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tintbox::cli {

// A mistake in the command line; its message is one line that names the argument.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Arguments {
public:
    // One use of an option with its values, in command-line order.
    struct Use {
        std::string name;
        std::vector<std::string> values;
    };

    Arguments() = default;
    explicit Arguments(std::vector<Use> uses, std::map<std::string, std::string> operands = {})
        : m_uses(std::move(uses)), m_operands(std::move(operands)) {}

    bool flag(std::string_view name) const;
    // The value of a single-use option (the first, should it be given more than once).
    std::optional<std::string> value(std::string_view name) const;
    // Every value of the option, in order.
    std::vector<std::string> values(std::string_view name) const;
    // The uses of the named options, in command-line order.
    std::vector<Use> inOrder(const std::vector<std::string_view>& names) const;
    // A named operand ("N", "PATH"), when it was given.
    std::optional<std::string> operand(std::string_view name) const;

private:
    std::vector<Use> m_uses;
    std::map<std::string, std::string> m_operands;
};

} // namespace tintbox::cli
