// The tweak loader, as an app runs it when it starts: each library of the device folder
// /Library/MobileSubstrate/DynamicLibraries whose filter names the app is opened, which runs
// its load-time constructor (where a plug-in hooks the app's classes).
//   objc::loadTweaks("com.apple.mobilemail");
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace objc {

inline constexpr std::string_view kTweakFolder = "/Library/MobileSubstrate/DynamicLibraries";

// Opens, in name order, each Name.dylib of the tweak folder whose Name.plist beside it has
// Filter = { Bundles = ( ..., bundleIdentifier, ... ) } and returns the names opened
// ("Tintbox.dylib"). A library without a filter is left alone; a library that fails to load,
// or whose filter cannot be read, is reported on standard error in one line and skipped.
// Opened libraries stay loaded for the life of the process: their hooks are never removed.
std::vector<std::string> loadTweaks(std::string_view bundleIdentifier);

} // namespace objc
