#include "cli/settings_write_alerts.hpp"

#include "cli/settings_source.hpp"
#include "platform/uikit/UIAlertView.hpp"
#include "settings/keys.hpp"

#include <iostream>
#include <optional>
#include <string>

namespace tintbox::cli {

void requireSettingsSaved() {
    std::optional<std::string> failure;
    for (const auto& alert : UIAlertView::shownAlerts()) {
        const std::string& title = alert->title();
        if (title == settings::kSettingsFileKeptAlertTitle) {
            std::cerr << "tintbox: " << alert->message() << '\n';
        } else if (title == settings::kSettingsNotSavedAlertTitle) {
            if (!failure)
                failure = alert->message();
        } else {
            continue;
        }
        alert->dismissWithClickedButtonIndex(0, false);
    }
    if (failure)
        throw WriteError(*failure);
}

} // namespace tintbox::cli
