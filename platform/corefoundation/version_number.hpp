// kCFCoreFoundationVersionNumber, the process's system version as the platform reports it.
// Read once from TINTBOX_CF_VERSION (default: an iOS 8 value), settable for tests, and
// compared as on the device: `if (kCFCoreFoundationVersionNumber < 1140.1) { iOS 7 }`.
#pragma once

namespace corefoundation {

inline constexpr double kCFCoreFoundationVersionNumber_iOS_7_0 = 847.20;
inline constexpr double kCFCoreFoundationVersionNumber_iOS_8_0 = 1140.10;

// The version number of this process.
double coreFoundationVersionNumber();
void setCoreFoundationVersionNumber(double version);

// The platform's variable: reads as a double wherever one is expected. Holds no state itself,
// so it is usable from any load-time constructor regardless of initialisation order.
struct CoreFoundationVersionNumber {
    operator double() const { return coreFoundationVersionNumber(); }
};
inline constexpr CoreFoundationVersionNumber kCFCoreFoundationVersionNumber{};

} // namespace corefoundation
