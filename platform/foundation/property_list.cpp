#include "platform/foundation/property_list.hpp"

#include "platform/foundation/file_io.hpp"
#include "platform/foundation/plist_bounds.hpp"
#include "platform/foundation/plist_handle.hpp"

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <unicode/utf8.h>

namespace foundation {
namespace {

constexpr int kMaximumDepth = kMaximumPropertyListDepth;

// The XML form of a keyed-archive UID, which readers turn back into one.
constexpr std::string_view kUidKey = "CF$UID";

// Seconds since the reference date of 0001-01-01 and of 10000-01-01: the years an XML date
// spells with four digits.
constexpr double kEarliestWritableDate = -63113904000.0;
constexpr double kEndOfWritableDates = 252423993600.0;

class PlistReader {
public:
    std::optional<Value> read(plist_t node, int depth = 0) {
        if (depth > kMaximumDepth)
            return fail("nested too deeply");
        switch (plist_get_node_type(node)) {
        case PLIST_BOOLEAN: {
            std::uint8_t b = 0;
            plist_get_bool_val(node, &b);
            return Value(b != 0);
        }
        case PLIST_UINT:
            return readInteger(node);
        case PLIST_REAL: {
            double d = 0.0;
            plist_get_real_val(node, &d);
            return Value(d);
        }
        case PLIST_STRING: {
            std::uint64_t length = 0;
            const char* text = plist_get_string_ptr(node, &length);
            return Value(std::string(text ? text : "", text ? length : 0));
        }
        case PLIST_DATA: {
            std::uint64_t length = 0;
            const auto* bytes =
                reinterpret_cast<const std::uint8_t*>(plist_get_data_ptr(node, &length));
            return Value(Data{std::vector<std::uint8_t>(bytes, bytes + (bytes ? length : 0))});
        }
        case PLIST_DATE:
            return readDate(node);
        case PLIST_ARRAY:
            return readArray(node, depth);
        case PLIST_DICT:
            return readDictionary(node, depth);
        case PLIST_UID: {
            std::uint64_t uid = 0;
            plist_get_uid_val(node, &uid);
            return Value(Uid{uid});
        }
        case PLIST_KEY:
        case PLIST_NONE:
            break;
        }
        return fail("holds a value of unknown type");
    }

    const std::string& error() const { return m_error; }

private:
    std::optional<Value> fail(std::string what) {
        if (m_error.empty())
            m_error = std::move(what);
        return std::nullopt;
    }

    // libplist keeps every integer as 64 bits plus a width: a negative number and one above
    // INT64_MAX share their bits and differ only in that width, which comparing against a
    // node made from the same bits (always the signed width) reveals.
    static Value readInteger(plist_t node) {
        std::uint64_t bits = 0;
        plist_get_uint_val(node, &bits);
        const auto value = static_cast<std::int64_t>(bits);
        if (value >= 0)
            return Value(value);
        const PlistHandle signedNode(plist_new_uint(bits));
        if (plist_compare_node_value(node, static_cast<plist_t>(signedNode.get())))
            return Value(value);
        return Value(static_cast<double>(bits));
    }

    // libplist hands dates out as whole seconds (truncated toward zero, saturated to the 32-bit
    // limits) and unsigned microseconds. Its binary form carries the exact seconds, so a date
    // beyond those limits is read from a one-node binary copy.
    std::optional<Value> readDate(plist_t node) {
        std::int32_t seconds = 0;
        std::int32_t microseconds = 0;
        plist_get_date_val(node, &seconds, &microseconds);
        if (seconds == INT32_MIN || seconds == INT32_MAX) {
            const PlistHandle copy(plist_copy(node));
            char* raw = nullptr;
            std::uint32_t length = 0;
            plist_to_bin(static_cast<plist_t>(copy.get()), &raw, &length);
            const PlistKeyBuffer binary(raw);
            const auto exact =
                binary ? binaryRootDate(std::string_view(raw, length)) : std::optional<double>{};
            if (!exact)
                return fail("holds a date that cannot be read");
            return Value(Date{*exact});
        }
        const double fraction = microseconds / 1e6;
        return Value(Date{seconds < 0 ? seconds - fraction : seconds + fraction});
    }

    std::optional<Value> readArray(plist_t node, int depth) {
        Array array;
        const std::uint32_t count = plist_array_get_size(node);
        array.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            auto item = read(plist_array_get_item(node, i), depth + 1);
            if (!item)
                return std::nullopt;
            array.push_back(std::move(*item));
        }
        return std::optional<Value>(std::in_place, std::move(array));
    }

    std::optional<Value> readDictionary(plist_t node, int depth) {
        Dictionary dictionary;
        plist_dict_iter rawIterator = nullptr;
        plist_dict_new_iter(node, &rawIterator);
        const PlistIterator iterator(rawIterator);
        for (;;) {
            char* rawKey = nullptr;
            plist_t item = nullptr;
            plist_dict_next_item(node, rawIterator, &rawKey, &item);
            const PlistKeyBuffer key(rawKey);
            if (!key || !item)
                break;
            auto value = read(item, depth + 1);
            if (!value)
                return std::nullopt;
            dictionary.insert_or_assign(std::string(key.get()), std::move(*value));
        }
        if (dictionary.size() == 1) {
            const Value* uid = foundation::find(dictionary, kUidKey);
            if (uid && uid->asInteger() && *uid->asInteger() >= 0)
                return Value(Uid{static_cast<std::uint64_t>(*uid->asInteger())});
        }
        return std::optional<Value>(std::in_place, std::move(dictionary));
    }

    std::string m_error;
};

// Text that XML 1.0 can carry: valid UTF-8 without NUL, the C0 controls other than tab, line
// feed and carriage return, and the non-characters U+FFFE and U+FFFF.
void requireXmlText(std::string_view text, const char* what) {
    if (text.size() > static_cast<std::size_t>(INT32_MAX))
        throw std::invalid_argument(std::string(what) + " is too long for a property list");
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    for (std::int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0)
            throw std::invalid_argument(std::string(what) + " is not valid UTF-8");
        const bool allowedControl = c == '\t' || c == '\n' || c == '\r';
        if ((c < 0x20 && !allowedControl) || c == 0xFFFE || c == 0xFFFF)
            throw std::invalid_argument(std::string(what) +
                                        " holds a character that a property list cannot carry");
    }
}

plist_t makeDate(const Date& date) {
    const double value = date.secondsSinceReferenceDate;
    if (!std::isfinite(value))
        throw std::invalid_argument("a date that is not finite cannot be written");
    double whole = std::floor(value);
    auto microseconds = static_cast<std::int32_t>(std::llround((value - whole) * 1e6));
    if (microseconds >= 1000000) {
        whole += 1.0;
        microseconds -= 1000000;
    }
    if (whole > double{INT32_MIN} && whole < double{INT32_MAX})
        return plist_new_date(static_cast<std::int32_t>(whole), microseconds);
    if (value < kEarliestWritableDate || value >= kEndOfWritableDates)
        throw std::invalid_argument("a date outside the years 1 .. 9999 cannot be written");
    // XML dates are whole seconds; the floor keeps a date before 2001 in its own second.
    const std::string document = binaryDateDocument(std::floor(value));
    plist_t node = nullptr;
    plist_from_bin(document.data(), static_cast<std::uint32_t>(document.size()), &node);
    if (!node)
        throw std::runtime_error("libplist could not make a date");
    return node;
}

PlistHandle makeNode(const Value& value) {
    switch (value.kind()) {
    case Value::Kind::Null:
        throw std::invalid_argument("a null value cannot be written to a property list");
    case Value::Kind::Boolean:
        return PlistHandle(plist_new_bool(value.boolValue() ? 1 : 0));
    case Value::Kind::Integer:
        // Made from the two's-complement bits, the node keeps the signed width and so writes
        // negative numbers with their sign.
        return PlistHandle(plist_new_uint(static_cast<std::uint64_t>(*value.asInteger())));
    case Value::Kind::Real:
        return PlistHandle(plist_new_real(value.doubleValue()));
    case Value::Kind::String: {
        requireXmlText(*value.asString(), "a string");
        return PlistHandle(plist_new_string(value.asString()->c_str()));
    }
    case Value::Kind::Data: {
        const auto& bytes = value.asData()->bytes;
        return PlistHandle(
            plist_new_data(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    case Value::Kind::Date:
        return PlistHandle(makeDate(*value.asDate()));
    case Value::Kind::Uid:
        return PlistHandle(plist_new_uid(value.asUid()->value));
    case Value::Kind::Array: {
        PlistHandle array(plist_new_array());
        for (const Value& item : *value.asArray())
            plist_array_append_item(static_cast<plist_t>(array.get()), makeNode(item).release());
        return array;
    }
    case Value::Kind::Dictionary: {
        PlistHandle dictionary(plist_new_dict());
        for (const auto& [key, item] : *value.asDictionary()) {
            requireXmlText(key, "a dictionary key");
            plist_dict_set_item(static_cast<plist_t>(dictionary.get()), key.c_str(),
                                makeNode(item).release());
        }
        return dictionary;
    }
    }
    throw std::invalid_argument("a value of unknown kind cannot be written");
}

} // namespace

std::optional<Value> parsePropertyList(std::string_view bytes, std::string* error) {
    auto fail = [error](std::string what) -> std::optional<Value> {
        if (error)
            *error = std::move(what);
        return std::nullopt;
    };
    if (bytes.empty())
        return fail("not a property list (empty)");
    if (bytes.size() > UINT32_MAX)
        return fail("too large for a property list");
    if (auto problem = propertyListBoundsProblem(bytes))
        return fail(*problem);
    plist_t raw = nullptr;
    plist_from_memory(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &raw);
    const PlistHandle root(raw);
    if (!root)
        return fail("not a property list");
    PlistReader reader;
    auto value = reader.read(raw);
    if (!value)
        return fail(reader.error());
    return value;
}

std::optional<Value> readPropertyListFile(const std::filesystem::path& path, std::string* error) {
    const auto bytes = readWholeFile(path, error, kMaximumPropertyListFileBytes);
    if (!bytes)
        return std::nullopt;
    std::string problem;
    auto value = parsePropertyList(*bytes, &problem);
    if (!value && error)
        *error = path.string() + ": " + problem;
    return value;
}

std::optional<Dictionary> dictionaryWithContentsOfFile(const std::filesystem::path& path,
                                                       std::string* error) {
    auto value = readPropertyListFile(path, error);
    if (!value)
        return std::nullopt;
    if (auto* dictionary = value->asDictionary())
        return std::move(*dictionary);
    if (error)
        *error = path.string() + ": the root is not a dictionary";
    return std::nullopt;
}

std::string xmlPropertyList(const Value& value) {
    const PlistHandle root = makeNode(value);
    char* raw = nullptr;
    std::uint32_t length = 0;
    plist_to_xml(static_cast<plist_t>(root.get()), &raw, &length);
    const PlistXmlBuffer xml(raw);
    if (!xml)
        throw std::runtime_error("libplist could not produce XML");
    // XML readers turn a raw carriage return into a line feed, so libplist's output (whose own
    // markup has none) gets them as character references.
    // libplist spells a year before 1000 with fewer than four digits, which readers refuse.
    constexpr std::string_view kDateTag = "<date>";
    const std::string_view output(xml.get(), length);
    std::string text;
    text.reserve(length);
    for (std::size_t i = 0; i < output.size(); ++i) {
        const char c = output[i];
        if (c == '\r') {
            text += "&#13;";
            continue;
        }
        text += c;
        if (c == '>' && text.ends_with(kDateTag)) {
            const std::size_t dash = output.find('-', i + 1);
            if (dash != std::string_view::npos && dash - (i + 1) < 4)
                text.append(4 - (dash - (i + 1)), '0');
        }
    }
    return text;
}

bool writePropertyListAtomically(const Value& value, const std::filesystem::path& path,
                                 std::string* error) {
    std::string xml;
    try {
        xml = xmlPropertyList(value);
    } catch (const std::invalid_argument& refused) {
        if (error)
            *error = path.string() + ": " + refused.what();
        return false;
    }
    return writeFileAtomically(path, xml, error);
}

} // namespace foundation
