// The mail extension's start: what its load-time constructor does when Mail opens Tintbox.dylib.
// Loads the settings snapshot, installs the replacements of Mail's methods in their fixed order,
// subscribes to the change notification and, on iOS 7, installs the account registry's launch
// hook. Run once per process; a process without Mail's classes gets no replacement.
#pragma once

namespace tintbox::mailhooks {

// The version below which the system is iOS 7 (the account registry is written by Mail).
inline constexpr double kFirstIOS8CoreFoundationVersion = 1140.1;

void startExtension();

} // namespace tintbox::mailhooks
