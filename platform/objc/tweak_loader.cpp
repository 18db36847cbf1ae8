#include "platform/objc/tweak_loader.hpp"

#include "platform/foundation/device_path.hpp"
#include "platform/foundation/property_list.hpp"

#include <algorithm>
#include <cstdio>
#include <dlfcn.h>
#include <filesystem>
#include <memory>

namespace objc {
namespace {

namespace fs = std::filesystem;

struct LibraryCloser {
    void operator()(void* handle) const { dlclose(handle); }
};
using LibraryHandle = std::unique_ptr<void, LibraryCloser>;

// The handles of the opened tweaks. They are opened with RTLD_NODELETE, so even closing them
// when the process ends never unmaps code that the method tables still point to.
std::vector<LibraryHandle>& openedTweaks() {
    static std::vector<LibraryHandle> handles;
    return handles;
}

void reportSkipped(const fs::path& library, std::string reason) {
    std::replace(reason.begin(), reason.end(), '\n', ' ');
    std::fprintf(stderr, "Tweak %s was not loaded: %s\n", library.filename().c_str(),
                 reason.c_str());
}

std::vector<fs::path> librariesIn(const fs::path& folder) {
    std::vector<fs::path> libraries;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (entry.path().extension() == ".dylib" && entry.is_regular_file(error))
            libraries.push_back(entry.path());
    std::sort(libraries.begin(), libraries.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
    return libraries;
}

bool filterNames(const foundation::Dictionary& filterList, std::string_view bundleIdentifier) {
    auto filter = filterList.find("Filter");
    if (filter == filterList.end())
        return false;
    const foundation::Value* bundles = filter->second.find("Bundles");
    const foundation::Array* names = bundles ? bundles->asArray() : nullptr;
    return names && std::any_of(names->begin(), names->end(), [&](const foundation::Value& name) {
               return name.asString() && *name.asString() == bundleIdentifier;
           });
}

// Whether the filter beside library names the app; a missing filter means "not for this app".
bool isForApp(const fs::path& library, std::string_view bundleIdentifier) {
    fs::path filterPath = fs::path(library).replace_extension(".plist");
    std::error_code error;
    if (!fs::exists(filterPath, error))
        return false;
    std::string problem;
    auto filterList = foundation::dictionaryWithContentsOfFile(filterPath, &problem);
    if (!filterList) {
        reportSkipped(library, problem);
        return false;
    }
    return filterNames(*filterList, bundleIdentifier);
}

} // namespace

std::vector<std::string> loadTweaks(std::string_view bundleIdentifier) {
    std::vector<std::string> loaded;
    for (const fs::path& library : librariesIn(foundation::devicePath(kTweakFolder))) {
        if (!isForApp(library, bundleIdentifier))
            continue;
        LibraryHandle handle(dlopen(library.c_str(), RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE));
        if (!handle) {
            const char* reason = dlerror();
            reportSkipped(library, reason ? reason : "unknown error");
            continue;
        }
        openedTweaks().push_back(std::move(handle));
        loaded.push_back(library.filename().string());
    }
    return loaded;
}

} // namespace objc
