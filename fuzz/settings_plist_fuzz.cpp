// Property-list bytes into the reader and the mail extension's settings loader: no crash, and
// whatever is read and can be written reads back as the same value.
#include "fuzz/fuzz_support.hpp"
#include "platform/foundation/property_list.hpp"
#include "settings/loader.hpp"

#include <cmath>
#include <stdexcept>

namespace {

bool holdsNaN(const foundation::Value& value) {
    if (const double* real = value.asReal())
        return std::isnan(*real);
    if (const foundation::Date* date = value.asDate())
        return std::isnan(date->secondsSinceReferenceDate);
    if (const auto* array = value.asArray()) {
        for (const auto& item : *array)
            if (holdsNaN(item))
                return true;
    }
    if (const auto* dictionary = value.asDictionary()) {
        for (const auto& [key, item] : *dictionary)
            if (holdsNaN(item))
                return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto value = foundation::parsePropertyList(bytes);
    if (value) {
        std::string xml;
        try {
            xml = foundation::xmlPropertyList(*value);
        } catch (const std::invalid_argument&) {
            // A value no XML document can hold (a NUL in a string, a date past 9999, ...).
        }
        if (!xml.empty()) {
            std::string error;
            const auto reread = foundation::parsePropertyList(xml, &error);
            if (!reread)
                tintbox::fuzz::fault("written XML does not read back: " + error);
            // XML keeps whole seconds of a date and cannot compare NaN with itself.
            if (!holdsNaN(*value) && xml.find("<date>") == std::string::npos && *reread != *value)
                tintbox::fuzz::fault("written XML reads back as another value");
        }
    }
    tintbox::settings::SettingsSnapshot snapshot;
    tintbox::settings::loadSettings(snapshot, tintbox::fuzz::scratchFile("settings.plist", bytes));
    return 0;
}
