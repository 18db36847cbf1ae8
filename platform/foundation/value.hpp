// A property-list value: null, boolean, integer, real, string, data, date, array, dictionary or
// keyed-archive UID, with value semantics. Dictionaries keep their keys sorted, as the platform's
// writer does. The readings boolValue / intValue / floatValue follow the platform's NSNumber and
// NSString rules exactly, so a settings key of the "wrong" type reads as the device would read it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace foundation {

class Value;

using Array = std::vector<Value>;
using Dictionary = std::map<std::string, Value, std::less<>>;

// Raw bytes of a <data> entry.
struct Data {
    std::vector<std::uint8_t> bytes;
    bool operator==(const Data&) const = default;
};

// A point in time, as seconds since 2001-01-01 00:00:00 UTC (the platform's reference date).
struct Date {
    double secondsSinceReferenceDate{0.0};
    bool operator==(const Date&) const = default;
};

// A keyed archiver's object reference; kept so that a file holding one is written back as it was.
struct Uid {
    std::uint64_t value{0};
    bool operator==(const Uid&) const = default;
};

class Value {
public:
    enum class Kind { Null, Boolean, Integer, Real, String, Data, Date, Array, Dictionary, Uid };

    Value() = default;
    Value(bool b) : m_storage(b) {}
    Value(int i) : m_storage(std::int64_t{i}) {}
    Value(std::int64_t i) : m_storage(i) {}
    Value(double d) : m_storage(d) {}
    Value(const char* s) : m_storage(std::string(s)) {}
    Value(std::string s) : m_storage(std::move(s)) {}
    Value(std::string_view s) : m_storage(std::string(s)) {}
    Value(foundation::Data d) : m_storage(std::move(d)) {}
    Value(foundation::Date d) : m_storage(d) {}
    Value(foundation::Array a) : m_storage(std::move(a)) {}
    Value(foundation::Dictionary d) : m_storage(std::move(d)) {}
    Value(foundation::Uid u) : m_storage(u) {}

    Kind kind() const { return static_cast<Kind>(m_storage.index()); }
    bool isNull() const { return kind() == Kind::Null; }
    bool isBoolean() const { return kind() == Kind::Boolean; }
    bool isInteger() const { return kind() == Kind::Integer; }
    bool isReal() const { return kind() == Kind::Real; }
    bool isNumber() const { return isBoolean() || isInteger() || isReal(); }
    bool isString() const { return kind() == Kind::String; }
    bool isArray() const { return kind() == Kind::Array; }
    bool isDictionary() const { return kind() == Kind::Dictionary; }

    // The stored alternative, or nullptr when the value holds another kind.
    const bool* asBoolean() const { return std::get_if<bool>(&m_storage); }
    const std::int64_t* asInteger() const { return std::get_if<std::int64_t>(&m_storage); }
    const double* asReal() const { return std::get_if<double>(&m_storage); }
    const std::string* asString() const { return std::get_if<std::string>(&m_storage); }
    const foundation::Array* asArray() const { return std::get_if<foundation::Array>(&m_storage); }
    foundation::Array* asArray() { return std::get_if<foundation::Array>(&m_storage); }
    const foundation::Dictionary* asDictionary() const {
        return std::get_if<foundation::Dictionary>(&m_storage);
    }
    foundation::Dictionary* asDictionary() {
        return std::get_if<foundation::Dictionary>(&m_storage);
    }
    const foundation::Data* asData() const { return std::get_if<foundation::Data>(&m_storage); }
    const foundation::Date* asDate() const { return std::get_if<foundation::Date>(&m_storage); }
    const foundation::Uid* asUid() const { return std::get_if<foundation::Uid>(&m_storage); }

    // The platform's readings. Numbers: boolValue is "non-zero", intValue truncates toward
    // zero to 32 bits. Strings are scanned as NSString does. Other kinds read as NO / 0.
    bool boolValue() const;
    std::int32_t intValue() const;
    float floatValue() const;
    double doubleValue() const;

    // Entry of a dictionary value; nullptr when absent or when this is not a dictionary.
    const Value* find(std::string_view key) const;

    bool operator==(const Value&) const = default;

private:
    std::variant<std::monostate, bool, std::int64_t, double, std::string, foundation::Data,
                 foundation::Date, foundation::Array, foundation::Dictionary, foundation::Uid>
        m_storage;
};

// Entry of a dictionary; nullptr when absent.
const Value* find(const Dictionary& dictionary, std::string_view key);

// The text "%@" makes of a value: a string as it is, a number as the platform prints it (a
// boolean as 1 or 0); empty for the other kinds.
std::string descriptionOf(const Value& value);

} // namespace foundation
