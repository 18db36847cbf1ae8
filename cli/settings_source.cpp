#include "cli/settings_source.hpp"

#include "platform/foundation/property_list.hpp"
#include "settings/loader.hpp"

namespace tintbox::cli {

SettingsSource settingsSource(const Arguments& arguments) {
    const auto named = arguments.value("--settings");
    SettingsSource source;
    source.path = named ? std::filesystem::path(*named) : settings::settingsFilePath();
    std::string error;
    auto value = foundation::readPropertyListFile(source.path, &error);
    if (!value)
        throw InputError(error);
    auto* dictionary = value->asDictionary();
    if (!dictionary)
        throw InputError(source.path.string() +
                         ": not a settings file (its root is not a dictionary)");
    source.dictionary = std::move(*dictionary);
    return source;
}

} // namespace tintbox::cli
