#include "pane/settings_file.hpp"

#include "platform/corefoundation/darwin_notify_center.hpp"
#include "platform/foundation/device_path.hpp"
#include "platform/foundation/dictionary_file_update.hpp"
#include "platform/foundation/property_list.hpp"
#include "platform/uikit/UIAlertView.hpp"
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
    bool changed = false;
    auto update =
        foundation::updateDictionaryFile(settingsPath(), [&](foundation::Dictionary& fresh) {
            changed = change(fresh);
            return changed;
        });
    if (!changed)
        return std::move(update.contents);
    reportSettingsWrite(update);
    corefoundation::DarwinNotifyCenter::shared().post(settings::kChangeNotificationName);
    return std::move(update.contents);
}

void reportSettingsWrite(const foundation::DictionaryFileUpdate& update) {
    auto show = [](std::string_view title, const std::string& message) {
        UIAlertView::withTitle(std::string(title), message, nullptr, "OK", {})->show();
    };
    if (!update.notice.empty())
        show(tintbox::settings::kSettingsFileKeptAlertTitle, update.notice);
    if (!update.error.empty())
        show(tintbox::settings::kSettingsNotSavedAlertTitle, update.error);
}

} // namespace tintbox::pane
