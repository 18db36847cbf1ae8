#include "platform/preferences/NSBundle.hpp"

#include "platform/foundation/property_list.hpp"

#include <dlfcn.h>
#include <map>
#include <unordered_map>

namespace {
[[maybe_unused]] const Class registeredAtLoad = NSBundle::registerRuntimeClass();

// The process's bundles, as the platform keeps them: one per folder, never released.
std::map<std::filesystem::path, objc::Ref<NSBundle>>& bundlesByPath() {
    static std::map<std::filesystem::path, objc::Ref<NSBundle>> bundles;
    return bundles;
}

std::unordered_map<Class, NSBundle*>& bundlesByClass() {
    static std::unordered_map<Class, NSBundle*> classes;
    return classes;
}

std::string infoString(const foundation::Dictionary& info, std::string_view key) {
    const foundation::Value* value = foundation::find(info, key);
    return value && value->asString() ? *value->asString() : std::string();
}

objc::Ref<NSObject> bundleWithPathMethod(Class, SEL, std::string path) {
    return objc::Ref<NSObject>(NSBundle::bundleWithPath(path));
}
id bundleForClassMethod(Class, SEL, Class cls) {
    return NSBundle::bundleForClass(cls);
}
id mainBundleMethod(Class, SEL) {
    return NSBundle::mainBundle();
}
std::string bundlePathMethod(id self, SEL) {
    return static_cast<NSBundle*>(self)->bundlePath().string();
}
std::string pathForResourceMethod(id self, SEL, std::string name, std::string type) {
    return static_cast<NSBundle*>(self)->pathForResourceOfType(name, type).string();
}
} // namespace

Class NSBundle::registerRuntimeClass() {
    static const Class cls = objc::ClassBuilder<NSBundle>("NSBundle")
                                 .classMethod("bundleWithPath:", &bundleWithPathMethod)
                                 .classMethod("bundleForClass:", &bundleForClassMethod)
                                 .classMethod("mainBundle", &mainBundleMethod)
                                 .method("bundlePath", &bundlePathMethod)
                                 .method("pathForResource:ofType:", &pathForResourceMethod)
                                 .method<&NSBundle::infoDictionary>("infoDictionary")
                                 .method<&NSBundle::bundleIdentifier>("bundleIdentifier")
                                 .method<&NSBundle::load>("load")
                                 .method<&NSBundle::isLoaded>("isLoaded")
                                 .method<&NSBundle::principalClass>("principalClass");
    return cls;
}

NSBundle* NSBundle::bundleWithPath(const std::filesystem::path& path) {
    std::error_code error;
    if (path.empty() || !std::filesystem::is_directory(path, error))
        return nullptr;
    std::filesystem::path key = std::filesystem::weakly_canonical(path, error);
    if (error)
        key = path.lexically_normal();
    auto& bundles = bundlesByPath();
    auto found = bundles.find(key);
    if (found == bundles.end()) {
        auto bundle = objc::make<NSBundle>();
        bundle->setUp(key);
        found = bundles.emplace(key, std::move(bundle)).first;
    }
    return found->second.get();
}

NSBundle* NSBundle::bundleForClass(Class cls) {
    const auto& classes = bundlesByClass();
    for (Class c = cls; c; c = class_getSuperclass(c))
        if (auto found = classes.find(c); found != classes.end())
            return found->second;
    return mainBundle();
}

NSBundle* NSBundle::mainBundle() {
    static NSBundle* const main = [] {
        std::error_code error;
        std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
        auto bundle = objc::make<NSBundle>();
        bundle->setUp(error ? std::filesystem::current_path(error) : program.parent_path());
        NSBundle* raw = bundle.get();
        bundlesByPath().emplace(raw->bundlePath(), std::move(bundle));
        return raw;
    }();
    return main;
}

void NSBundle::setUp(std::filesystem::path path) {
    m_path = std::move(path);
    if (auto info = foundation::dictionaryWithContentsOfFile(m_path / "Info.plist"))
        m_info = std::move(*info);
}

std::string NSBundle::bundleIdentifier() const {
    return infoString(m_info, "CFBundleIdentifier");
}

bool NSBundle::load() {
    if (m_loaded)
        return true;
    const std::string name = m_path.filename().string();
    const std::string executable = infoString(m_info, "CFBundleExecutable");
    if (executable.empty() || executable.find('/') != std::string::npos) {
        m_loadError = "bundle " + name + ": Info.plist names no executable (CFBundleExecutable)";
        return false;
    }
    const std::filesystem::path file = m_path / executable;
    const std::size_t mark = objc::classRegistrationMark();
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_GLOBAL);
    if (!handle) {
        const char* reason = dlerror();
        m_loadError = "bundle " + name + ": cannot load " + executable + ": " +
                      (reason ? reason : "unknown error");
        return false;
    }
    m_handle = handle;
    m_loaded = true;
    m_loadError.clear();
    for (Class cls : objc::classesRegisteredSince(mark))
        bundlesByClass().emplace(cls, this);
    return true;
}

Class NSBundle::principalClass() {
    if (!load())
        return Nil;
    const std::string name = infoString(m_info, "NSPrincipalClass");
    return name.empty() ? Nil : objc_getClass(name);
}

std::filesystem::path NSBundle::pathForResourceOfType(const std::string& name,
                                                      const std::string& type) const {
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..")
        return {};
    std::string file = name;
    if (!type.empty())
        file += type.front() == '.' ? type : "." + type;
    if (file.find('/') != std::string::npos)
        return {};
    std::filesystem::path path = m_path / file;
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) ? path : std::filesystem::path();
}
