// Property-list values as JSON, for the command's --json output.
#pragma once

#include "platform/foundation/value.hpp"

#include <nlohmann/json.hpp>
#include <string>

namespace tintbox::cli {

// Dictionaries become objects, arrays arrays; data becomes a base64 string and a date its
// seconds since the platform's reference date.
nlohmann::ordered_json toJson(const foundation::Value& value);

// A single-precision value printed as its shortest decimal form (0.4f as 0.4, not 0.4000000059).
nlohmann::ordered_json toJson(float value);

// The JSON text of a value; bytes of mail that are not UTF-8 become U+FFFD instead of failing.
std::string jsonText(const nlohmann::ordered_json& json, int indent = -1);

} // namespace tintbox::cli
