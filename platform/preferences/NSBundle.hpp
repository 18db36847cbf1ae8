// NSBundle: a bundle folder with its Info.plist, resources and executable. load opens the
// executable named by CFBundleExecutable (dlopen, RTLD_NOW | RTLD_GLOBAL), which registers
// its classes; those classes then belong to the bundle (bundleForClass:), so a pane finds its
// specifier lists beside its code. A loaded bundle's code stays for the life of the process,
// as its classes and methods live in the runtime's tables.
//   auto bundle = NSBundle::bundleWithPath(foundation::devicePath("/Library/.../X.bundle"));
//   if (bundle && bundle->load()) Class root = bundle->principalClass();
//   else std::cerr << bundle->loadError() << '\n';
#pragma once

#include "platform/foundation/value.hpp"
#include "platform/objc/objc.hpp"

#include <filesystem>
#include <string>

class NSBundle : public NSObject {
public:
    static Class registerRuntimeClass();

    // The bundle of a folder, one object per folder for the process; nil when the path is
    // not a folder.
    static NSBundle* bundleWithPath(const std::filesystem::path& path);
    // The bundle whose executable registered cls (or its nearest superclass that a bundle
    // registered); the main bundle for the classes of the program and the platform.
    static NSBundle* bundleForClass(Class cls);
    // The folder of the running program.
    static NSBundle* mainBundle();

    std::filesystem::path bundlePath() const { return m_path; }
    // Info.plist as read when the bundle was made (empty when missing or unreadable).
    const foundation::Dictionary& infoDictionary() const { return m_info; }
    std::string bundleIdentifier() const;

    // Opens the executable once; false with loadError() set when it cannot be opened.
    bool load();
    bool isLoaded() const { return m_loaded; }
    // One line naming the bundle and what went wrong; empty when nothing did.
    std::string loadError() const { return m_loadError; }
    // The class NSPrincipalClass names, after loading; Nil when it cannot be loaded or found.
    Class principalClass();

    // <bundle>/<name>.<type> (type may be empty or include the dot); empty when the file is
    // not there. The name may not leave the bundle.
    std::filesystem::path pathForResourceOfType(const std::string& name,
                                                const std::string& type) const;

    // For the constructor of bundleWithPath and mainBundle only.
    void setUp(std::filesystem::path path);

private:
    std::filesystem::path m_path;
    foundation::Dictionary m_info;
    void* m_handle{nullptr}; // never closed: the runtime keeps the library's classes
    bool m_loaded{false};
    std::string m_loadError;
};
