#include "cli/json_value.hpp"

#include <charconv>
#include <string>

namespace tintbox::cli {
namespace {

std::string base64(const std::vector<std::uint8_t>& bytes) {
    static constexpr char alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::uint32_t chunk = (std::uint32_t{bytes[i]} << 16) |
                                    (i + 1 < bytes.size() ? std::uint32_t{bytes[i + 1]} << 8 : 0) |
                                    (i + 2 < bytes.size() ? std::uint32_t{bytes[i + 2]} : 0);
        text += alphabet[(chunk >> 18) & 63];
        text += alphabet[(chunk >> 12) & 63];
        text += i + 1 < bytes.size() ? alphabet[(chunk >> 6) & 63] : '=';
        text += i + 2 < bytes.size() ? alphabet[chunk & 63] : '=';
    }
    return text;
}

} // namespace

nlohmann::ordered_json toJson(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    double shortest = 0.0;
    std::from_chars(buffer, result.ptr, shortest);
    return shortest;
}

nlohmann::ordered_json toJson(const foundation::Value& value) {
    using Kind = foundation::Value::Kind;
    switch (value.kind()) {
    case Kind::Null:
        return nullptr;
    case Kind::Boolean:
        return value.boolValue();
    case Kind::Integer:
        return *value.asInteger();
    case Kind::Real:
        return value.doubleValue();
    case Kind::String:
        return *value.asString();
    case Kind::Data:
        return base64(value.asData()->bytes);
    case Kind::Date:
        return value.asDate()->secondsSinceReferenceDate;
    case Kind::Uid:
        return {{"CF$UID", value.asUid()->value}};
    case Kind::Array: {
        auto array = nlohmann::ordered_json::array();
        for (const auto& element : *value.asArray())
            array.push_back(toJson(element));
        return array;
    }
    case Kind::Dictionary: {
        auto object = nlohmann::ordered_json::object();
        for (const auto& [key, element] : *value.asDictionary())
            object[key] = toJson(element);
        return object;
    }
    }
    return nullptr;
}

std::string jsonText(const nlohmann::ordered_json& json, int indent) {
    return json.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

} // namespace tintbox::cli
