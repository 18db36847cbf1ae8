#include "pane/colour/cell_support.hpp"

#include "platform/corefoundation/notification_center.hpp"
#include "platform/foundation/device_path.hpp"
#include "platform/uikit/UIAlertView.hpp"
#include "settings/keys.hpp"

#include <cmath>

namespace tintbox::pane {

int wholeSliderValue(float value) {
    return static_cast<int>(std::round(value * 100.0f) / 100.0f);
}

std::string formattedWholeNumber(double value) {
    const long whole = std::lrint(value);
    const std::string digits = std::to_string(whole < 0 ? -whole : whole);
    std::string text(whole < 0 ? 1 : 0, '-');
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text.push_back(',');
        text.push_back(digits[i]);
    }
    return text;
}

std::optional<std::filesystem::path> domainSettingsFile(const std::string& domain) {
    if (domain.empty() || domain.find('/') != std::string::npos || domain == "." || domain == "..")
        return std::nullopt;
    return foundation::devicePath(tintbox::settings::preferencesFilePath(domain));
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

void postChangeNotification(const std::string& name) {
    if (name.empty())
        return;
    corefoundation::CFNotificationCenterPostNotification(
        corefoundation::CFNotificationCenterGetDarwinNotifyCenter(), name, nullptr, nullptr, true);
}

} // namespace tintbox::pane
