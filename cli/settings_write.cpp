#include "cli/settings_write.hpp"

#include "cli/settings_source.hpp"
#include "pane/settings_file.hpp"
#include "platform/foundation/device_path.hpp"
#include "platform/foundation/property_list.hpp"
#include "settings/keys.hpp"

#include <filesystem>

namespace tintbox::cli {

foundation::Dictionary currentSettings() {
    const auto file = foundation::devicePath(settings::kSettingsFilePath);
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return {};
    std::string problem;
    auto contents = foundation::dictionaryWithContentsOfFile(file, &problem);
    if (!contents)
        throw InputError(problem.empty() ? file.string() + ": not a settings file" : problem);
    return std::move(*contents);
}

foundation::Dictionary changeSettings(const std::function<bool(foundation::Dictionary&)>& change) {
    const auto before = currentSettings();
    bool changed = false;
    auto written = pane::updateSettingsFile([&](foundation::Dictionary& fresh) {
        changed = change(fresh);
        return changed;
    });
    // The write path posts the notification whatever the write's outcome: read back to know.
    if (changed && currentSettings() != written)
        throw InputError("cannot write " +
                         foundation::devicePath(settings::kSettingsFilePath).string());
    return written;
}

} // namespace tintbox::cli
