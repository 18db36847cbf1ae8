// Where the bands lie: pure functions from a host view's size, the band's settings and (for the
// open message) the header geometry to a band rectangle. No views are touched here, so every
// rule can be tested as a table of numbers.
//   BandPlacement p = listBandAtLayout({.type = 2, .width = 6}, cell.size);
//   band->setFrame(p.frame);
#pragma once

#include "platform/quartz/geometry.hpp"
#include "platform/uikit/UIView.hpp"

#include <cstdint>

namespace tintbox::mailhooks {

// Band type 2 puts a band narrower than its area at the right end; any other non-zero value at
// the left end (0 means no band, which callers decide before placing).
inline constexpr std::int32_t kRightEndType = 2;
inline constexpr std::int32_t kRightAlignment = 2;

struct BandPlacement {
    CGRect frame{};
    UIViewAutoresizing autoresizingMask{UIViewAutoresizingNone};
    bool operator==(const BandPlacement&) const = default;
};

// A message list band as created with its cell: heightFactor x (cell height + 4) high, the whole
// row wide (following width changes) when the width setting reaches the row's width.
BandPlacement listBandAtCreation(std::int32_t width, std::int32_t heightFactor, CGSize cell);

// A message list band after the cell's layout: as high as the row, at the row's left or right
// end by its type, or across the whole row.
CGRect listBandAtLayout(std::int32_t type, std::int32_t width, CGSize cell);

// The settings of one band of the open message: area type, width in points and alignment.
struct MessageBandSettings {
    std::int32_t type{0};
    std::int32_t width{0};
    std::int32_t alignment{0};
};

// The header geometry that places the open message's bands: the subject line's rectangle, the
// header view's height and the content layer's width.
struct MessageHeaderGeometry {
    CGRect subject{};
    CGFloat headerHeight{0};
    CGFloat layerWidth{0};
};

// The rectangle of an open message band (type not 0): a box around the subject (1), the strip
// above it (2), from the subject down (3), the whole header (4), else a 10-point top strip.
CGRect messageBandFrame(MessageBandSettings band, const MessageHeaderGeometry& header);

// A mailbox row's band: at the left, or at the right end for type 2, as high as the row. A band
// at least as wide as the row covers its whole area (the content view, `areaWidth` wide now)
// and follows its width changes, so that it always covers the row exactly.
BandPlacement mailboxBandAtCreation(std::int32_t width, CGSize cell, CGFloat areaWidth);
BandPlacement mailboxBand(std::int32_t type, std::int32_t width, CGSize cell, CGFloat areaWidth);

} // namespace tintbox::mailhooks
