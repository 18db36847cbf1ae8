#include "pane/settings_file.hpp"

#include "platform/corefoundation/darwin_notify_center.hpp"
#include "platform/foundation/device_path.hpp"
#include "platform/foundation/property_list.hpp"
#include "settings/keys.hpp"

#include <filesystem>

namespace tintbox::pane {
namespace {

std::filesystem::path settingsPath() {
    return foundation::devicePath(settings::kSettingsFilePrivatePath);
}

} // namespace

foundation::Dictionary loadSettingsFile() {
    return foundation::dictionaryWithContentsOfFile(settingsPath())
        .value_or(foundation::Dictionary{});
}

foundation::Dictionary storeSettingsValue(const std::string& key, foundation::Value value) {
    return updateSettingsFile([&](foundation::Dictionary& fresh) {
        if (value.isNull())
            fresh.erase(key);
        else
            fresh[key] = std::move(value);
        return true;
    });
}

foundation::Dictionary
updateSettingsFile(const std::function<bool(foundation::Dictionary&)>& change) {
    foundation::Dictionary fresh = loadSettingsFile();
    if (!change(fresh))
        return fresh;
    const std::filesystem::path path = settingsPath();
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    foundation::writePropertyListAtomically(foundation::Value(fresh), path);
    corefoundation::DarwinNotifyCenter::shared().post(settings::kChangeNotificationName);
    return fresh;
}

} // namespace tintbox::pane
