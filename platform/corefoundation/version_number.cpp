#include "platform/corefoundation/version_number.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace corefoundation {
namespace {

double versionFromEnvironment() {
    const char* text = std::getenv("TINTBOX_CF_VERSION");
    if (!text || !*text)
        return kCFCoreFoundationVersionNumber_iOS_8_0;
    double version = 0.0;
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, version);
    if (error != std::errc() || stop != end || !std::isfinite(version) || version <= 0.0) {
        std::fprintf(stderr,
                     "tintbox: TINTBOX_CF_VERSION '%s' is not a version number; using %.2f\n", text,
                     kCFCoreFoundationVersionNumber_iOS_8_0);
        return kCFCoreFoundationVersionNumber_iOS_8_0;
    }
    return version;
}

double& storedVersion() {
    static double version = versionFromEnvironment();
    return version;
}

} // namespace

double coreFoundationVersionNumber() {
    return storedVersion();
}

void setCoreFoundationVersionNumber(double version) {
    storedVersion() = version;
}

} // namespace corefoundation
