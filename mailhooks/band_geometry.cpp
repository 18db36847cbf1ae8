#include "mailhooks/band_geometry.hpp"

namespace tintbox::mailhooks {
namespace {

// Heights of the list bands are held in single precision.
CGFloat singlePrecision(double value) {
    return static_cast<float>(value);
}

UIViewAutoresizing maskFor(bool spansRow) {
    return spansRow ? UIViewAutoresizingFlexibleWidth : UIViewAutoresizingNone;
}

// The band's width and its offset from the start of its area, both in single precision.
struct HorizontalExtent {
    float width{0};
    float offset{0};
};

HorizontalExtent horizontalExtent(MessageBandSettings band, CGRect subject, CGFloat layerWidth) {
    const double wanted = band.width;
    if (band.type == 1) {
        const double area = subject.size.width + 10;
        if (wanted >= area)
            return {static_cast<float>(area), 0};
        // A right-aligned box ends 15 points right of the subject, not 5.
        const double offset =
            band.alignment == kRightAlignment ? subject.size.width + 20 - wanted : 0;
        return {static_cast<float>(wanted), static_cast<float>(offset)};
    }
    const double area = layerWidth;
    if (wanted >= area)
        return {static_cast<float>(area), 0};
    const double offset = band.alignment == kRightAlignment ? area - wanted : 0;
    return {static_cast<float>(wanted), static_cast<float>(offset)};
}

} // namespace

BandPlacement listBandAtCreation(std::int32_t width, std::int32_t heightFactor, CGSize cell) {
    const CGFloat height = singlePrecision(heightFactor * (cell.height + 4.0));
    const bool spansRow = static_cast<double>(width) >= cell.width;
    return {CGRectMake(0, 0, spansRow ? cell.width : width, height), maskFor(spansRow)};
}

CGRect listBandAtLayout(std::int32_t type, std::int32_t width, CGSize cell) {
    const CGFloat height = singlePrecision(cell.height);
    if (static_cast<double>(width) >= cell.width)
        return CGRectMake(0, 0, cell.width, height);
    const CGFloat x = type == kRightEndType ? cell.width - width : 0;
    return CGRectMake(x, 0, width, height);
}

CGRect messageBandFrame(MessageBandSettings band, const MessageHeaderGeometry& header) {
    const CGRect& s = header.subject;
    const HorizontalExtent extent = horizontalExtent(band, s, header.layerWidth);
    switch (band.type) {
    case 1:
        return CGRectMake(s.origin.x - 5 + extent.offset, s.origin.y, extent.width, s.size.height);
    case 2:
        return CGRectMake(extent.offset, 0, extent.width, s.origin.y);
    case 3:
        return CGRectMake(extent.offset, s.origin.y, extent.width,
                          header.headerHeight - s.origin.y);
    case 4:
        return CGRectMake(extent.offset, 0, extent.width, header.headerHeight);
    default:
        return CGRectMake(extent.offset, 0, extent.width, 10);
    }
}

BandPlacement mailboxBandAtCreation(std::int32_t width, CGSize cell, CGFloat areaWidth) {
    return mailboxBand(0, width, cell, areaWidth);
}

BandPlacement mailboxBand(std::int32_t type, std::int32_t width, CGSize cell, CGFloat areaWidth) {
    const CGFloat height = singlePrecision(cell.height);
    if (static_cast<double>(width) >= cell.width)
        return {CGRectMake(0, 0, areaWidth, height), maskFor(true)};
    const CGFloat x = type == kRightEndType ? cell.width - width : 0;
    return {CGRectMake(x, 0, width, height), maskFor(false)};
}

} // namespace tintbox::mailhooks
