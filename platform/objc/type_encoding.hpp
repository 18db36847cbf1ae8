// Internal to platform/objc: checks a method's type encoding ("v@:@q", also with offsets such
// as "v24@0:8@16") against the encoding its C++ signature stands for.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace objc::detail {

// What is wrong with encoding for a signature whose letters are expected (see encodingOf;
// '?' accepts any type); nullopt when it fits.
std::optional<std::string> typeEncodingMismatch(std::string_view encoding,
                                                std::string_view expected);

} // namespace objc::detail
