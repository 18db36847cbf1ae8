#include "platform/objc/type_encoding.hpp"

#include <cctype>
#include <vector>

namespace objc::detail {
namespace {

constexpr std::string_view kQualifiers = "rnNoORVAj";

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Reads one type at `at` (after its qualifiers) and returns its length; 0 when malformed.
std::size_t typeLength(std::string_view encoding, std::size_t at) {
    if (at >= encoding.size())
        return 0;
    char c = encoding[at];
    if (c == '^') {
        std::size_t pointee = typeLength(encoding, at + 1);
        return pointee ? pointee + 1 : 0;
    }
    if (c == '{' || c == '(' || c == '[') {
        int depth = 0;
        bool quoted = false;
        for (std::size_t i = at; i < encoding.size(); ++i) {
            char d = encoding[i];
            if (d == '"')
                quoted = !quoted;
            else if (!quoted && (d == '{' || d == '(' || d == '['))
                ++depth;
            else if (!quoted && (d == '}' || d == ')' || d == ']') && --depth == 0)
                return i - at + 1;
        }
        return 0;
    }
    if (c == '@' && at + 1 < encoding.size() && encoding[at + 1] == '?')
        return 2;
    if (c == '@' && at + 1 < encoding.size() && encoding[at + 1] == '"') {
        auto close = encoding.find('"', at + 2);
        return close == std::string_view::npos ? 0 : close - at + 1;
    }
    if (c == 'b') {
        std::size_t i = at + 1;
        while (i < encoding.size() && isDigit(encoding[i]))
            ++i;
        return i - at;
    }
    return std::isdigit(static_cast<unsigned char>(c)) ? 0 : 1;
}

// The types of an encoding, frame offsets and qualifiers left out; nullopt when malformed.
std::optional<std::vector<std::string_view>> typesOf(std::string_view encoding) {
    std::vector<std::string_view> types;
    types.reserve(8);
    std::size_t at = 0;
    while (at < encoding.size()) {
        while (at < encoding.size() && kQualifiers.find(encoding[at]) != std::string_view::npos)
            ++at;
        std::size_t length = typeLength(encoding, at);
        if (!length)
            return std::nullopt;
        types.push_back(encoding.substr(at, length));
        at += length;
        while (at < encoding.size() && (isDigit(encoding[at]) || encoding[at] == '-'))
            ++at;
    }
    return types;
}

char letterOf(std::string_view type) {
    return type == "@?" ? '?' : type.front();
}

} // namespace

std::optional<std::string> typeEncodingMismatch(std::string_view encoding,
                                                std::string_view expected) {
    auto types = typesOf(encoding);
    if (!types || types->empty())
        return "it is not a type encoding";
    if (types->size() != expected.size())
        return "it names " + std::to_string(types->size()) + " types where the signature has " +
               std::to_string(expected.size()) + " (result, self, _cmd and the arguments)";
    for (std::size_t i = 0; i < expected.size(); ++i) {
        char wanted = expected[i];
        char given = letterOf((*types)[i]);
        bool selfSlot = i == 1 && (given == '@' || given == '#');
        if (wanted != '?' && given != wanted && !selfSlot)
            return "type " + std::to_string(i) + " is '" + std::string((*types)[i]) +
                   "' where the signature has '" + std::string(1, wanted) + "'";
    }
    return std::nullopt;
}

} // namespace objc::detail
