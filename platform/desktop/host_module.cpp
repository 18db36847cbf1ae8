#include "platform/desktop/host_module.hpp"

#include "platform/foundation/program_files.hpp"

#include <system_error>

namespace desktop {

std::filesystem::path HostModule::file() {
    return foundation::programFolder(foundation::ProgramFolder::Libraries) / kHostModuleFile;
}

std::filesystem::path HostModule::require() {
    const std::filesystem::path module = file();
    std::error_code error;
    if (!std::filesystem::is_regular_file(module, error))
        throw HostMissing("the desktop window host is not installed (looked for " +
                          module.string() + "); install the " + kHostPackage + " package");
    return module;
}

HostModule HostModule::load() {
    const std::filesystem::path module = require();
    std::string why;
    auto library = foundation::SharedLibrary::open(module, &why);
    if (!library)
        throw HostMissing("cannot load the desktop window host (" + why + "); reinstall the " +
                          kHostPackage + " package");
    auto* runWindow = library->function<RunWindowFunction>(kRunWindowSymbol);
    if (!runWindow)
        throw HostMissing(module.string() + " is not a desktop window host (it has no " +
                          kRunWindowSymbol + ")");
    return HostModule(std::move(*library), runWindow);
}

} // namespace desktop
