#include "sim/settings/preference_entries.hpp"

#include "platform/foundation/device_path.hpp"
#include "platform/foundation/property_list.hpp"

#include <algorithm>
#include <cctype>

namespace tintbox::sim::settings {
namespace {

namespace fs = std::filesystem;

std::string stringEntry(const foundation::Dictionary& entry, std::string_view key) {
    const foundation::Value* value = foundation::find(entry, key);
    return value && value->asString() ? *value->asString() : std::string();
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

PreferenceEntries readPreferenceEntries() {
    PreferenceEntries result;
    const fs::path folder = foundation::devicePath(kPreferenceEntryFolder);
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->path().extension() == ".plist")
            files.push_back(it->path());
    std::sort(files.begin(), files.end());

    for (const fs::path& file : files) {
        std::string readError;
        const auto document = foundation::dictionaryWithContentsOfFile(file, &readError);
        if (!document) {
            result.warnings.push_back(readError);
            continue;
        }
        const foundation::Value* entryValue = foundation::find(*document, "entry");
        const foundation::Dictionary* entry = entryValue ? entryValue->asDictionary() : nullptr;
        if (!entry) {
            result.warnings.push_back(file.string() + ": no \"entry\" dictionary");
            continue;
        }
        PreferenceEntry listed{stringEntry(*entry, "label"),
                               stringEntry(*entry, "bundle"),
                               stringEntry(*entry, "detail"),
                               {},
                               file};
        if (listed.label.empty() || listed.bundle.empty()) {
            result.warnings.push_back(file.string() +
                                      ": the entry needs a \"label\" and a \"bundle\"");
            continue;
        }
        // The bundle is named, never given as a path, so that an entry cannot reach outside
        // the bundles folder.
        if (listed.bundle.find('/') != std::string::npos || listed.bundle == "." ||
            listed.bundle == "..") {
            result.warnings.push_back(file.string() + ": bundle \"" + listed.bundle +
                                      "\" is not a bundle name");
            continue;
        }
        listed.bundleFolder =
            foundation::devicePath("/Library/PreferenceBundles/" + listed.bundle + ".bundle");
        result.entries.push_back(std::move(listed));
    }
    std::stable_sort(result.entries.begin(), result.entries.end(),
                     [](const PreferenceEntry& a, const PreferenceEntry& b) {
                         return lowered(a.label) < lowered(b.label);
                     });
    return result;
}

} // namespace tintbox::sim::settings
