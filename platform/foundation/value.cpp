#include "platform/foundation/value.hpp"

#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
#include <sstream>

namespace foundation {
namespace {

bool isBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view skipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return text.substr(i);
}

// NSString boolValue: blanks, an optional sign, leading zeros, then Y, y, T, t or 1-9 is YES.
bool stringBoolValue(std::string_view text) {
    text = skipBlanks(text);
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    while (!text.empty() && text.front() == '0')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    const char c = text.front();
    return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

// NSString intValue: blanks, an optional sign, decimal digits up to the first other character;
// INT_MAX / INT_MIN on overflow, 0 when there is no number.
std::int32_t stringIntValue(std::string_view text) {
    text = skipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::int64_t magnitude = 0;
    for (const char c : text) {
        if (!isDigit(c))
            break;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > std::int64_t{INT_MAX} + 1)
            return negative ? INT_MIN : INT_MAX;
    }
    if (negative)
        return static_cast<std::int32_t>(-magnitude);
    return magnitude > INT_MAX ? INT_MAX : static_cast<std::int32_t>(magnitude);
}

// NSString doubleValue: the longest decimal prefix (blanks, sign, digits, point, digits,
// exponent); 0 when there is none. Hexadecimal, "inf" and "nan" are not numbers here.
double stringDoubleValue(std::string_view text) {
    text = skipBlanks(text);
    std::size_t end = 0;
    bool negative = false;
    if (end < text.size() && (text[end] == '+' || text[end] == '-')) {
        negative = text[end] == '-';
        ++end;
    }
    const std::size_t digitsStart = end;
    std::size_t digits = 0;
    while (end < text.size() && isDigit(text[end])) {
        ++end;
        ++digits;
    }
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && isDigit(text[end])) {
            ++end;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    std::size_t mantissaEnd = end;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        if (exponent < text.size() && isDigit(text[exponent])) {
            while (exponent < text.size() && isDigit(text[exponent]))
                ++exponent;
            mantissaEnd = exponent;
        }
    }
    const std::string_view number = text.substr(digitsStart, mantissaEnd - digitsStart);
    double magnitude = 0.0;
    const auto [ptr, error] =
        std::from_chars(number.data(), number.data() + number.size(), magnitude);
    (void)ptr;
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves the value unset: tell overflow from underflow by the exponent sign.
        const auto e = number.find_first_of("eE");
        const bool tiny =
            e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
        magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -magnitude : magnitude;
}

// Truncation toward zero to 32 bits, saturating as the device's processor does.
std::int32_t realIntValue(double d) {
    if (std::isnan(d))
        return 0;
    if (d >= 2147483647.0)
        return INT_MAX;
    if (d <= -2147483648.0)
        return INT_MIN;
    return static_cast<std::int32_t>(d);
}

} // namespace

bool Value::boolValue() const {
    if (const auto* b = std::get_if<bool>(&m_storage))
        return *b;
    if (const auto* i = std::get_if<std::int64_t>(&m_storage))
        return *i != 0;
    if (const auto* d = std::get_if<double>(&m_storage))
        return *d != 0.0;
    if (const auto* s = asString())
        return stringBoolValue(*s);
    return false;
}

std::int32_t Value::intValue() const {
    if (const auto* b = std::get_if<bool>(&m_storage))
        return *b ? 1 : 0;
    if (const auto* i = std::get_if<std::int64_t>(&m_storage))
        return static_cast<std::int32_t>(*i); // keeps the low 32 bits, as NSNumber does
    if (const auto* d = std::get_if<double>(&m_storage))
        return realIntValue(*d);
    if (const auto* s = asString())
        return stringIntValue(*s);
    return 0;
}

double Value::doubleValue() const {
    if (const auto* b = std::get_if<bool>(&m_storage))
        return *b ? 1.0 : 0.0;
    if (const auto* i = std::get_if<std::int64_t>(&m_storage))
        return static_cast<double>(*i);
    if (const auto* d = std::get_if<double>(&m_storage))
        return *d;
    if (const auto* s = asString())
        return stringDoubleValue(*s);
    return 0.0;
}

float Value::floatValue() const {
    return static_cast<float>(doubleValue());
}

const Value* Value::find(std::string_view key) const {
    const auto* dictionary = asDictionary();
    return dictionary ? foundation::find(*dictionary, key) : nullptr;
}

const Value* find(const Dictionary& dictionary, std::string_view key) {
    const auto it = dictionary.find(key);
    return it == dictionary.end() ? nullptr : &it->second;
}

std::string descriptionOf(const Value& value) {
    if (const std::string* text = value.asString())
        return *text;
    if (const bool* flag = value.asBoolean())
        return *flag ? "1" : "0";
    if (const std::int64_t* integer = value.asInteger())
        return std::to_string(*integer);
    if (const double* real = value.asReal()) {
        std::ostringstream out;
        out << *real;
        return out.str();
    }
    return {};
}

} // namespace foundation
