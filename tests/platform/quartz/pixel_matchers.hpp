// Pixel expectations for the drawing tests: readable failure output and a per-channel
// tolerance for values that pass through interpolation or premultiplication.
//   EXPECT_THAT(image.pixelAt(5, 5), PixelNear({255, 0, 0, 255}, 2));
#pragma once

#include "platform/quartz/image.hpp"

#include <cstdlib>
#include <gmock/gmock.h>
#include <ostream>

namespace quartz {

inline void PrintTo(const Pixel& p, std::ostream* out) {
    *out << "rgba(" << int(p.red) << ", " << int(p.green) << ", " << int(p.blue) << ", "
         << int(p.alpha) << ")";
}

inline constexpr Pixel kTransparent{0, 0, 0, 0};

} // namespace quartz

MATCHER_P2(PixelNear, expected, tolerance, "") {
    auto close = [&](int a, int b) { return std::abs(a - b) <= tolerance; };
    return close(arg.red, expected.red) && close(arg.green, expected.green) &&
           close(arg.blue, expected.blue) && close(arg.alpha, expected.alpha);
}
