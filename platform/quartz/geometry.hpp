// Geometry value types of the platform: CGPoint, CGSize, CGRect (64-bit CGFloat) and
// UIEdgeInsets, with the verbs layout code needs as members (`rect.maxX()`, `rect.insetBy(4, 2)`)
// and the platform's free functions (`CGRectGetMaxX(rect)`, `CGRectContainsPoint(rect, p)`).
// A rectangle with a negative width or height is read as its standardized form, as the platform
// does.
#pragma once

#include <algorithm>

using CGFloat = double;

struct CGPoint {
    CGFloat x{0};
    CGFloat y{0};

    constexpr CGPoint offsetBy(CGFloat dx, CGFloat dy) const { return {x + dx, y + dy}; }
    constexpr bool operator==(const CGPoint&) const = default;
};

struct CGSize {
    CGFloat width{0};
    CGFloat height{0};

    constexpr CGSize scaledBy(CGFloat factor) const { return {width * factor, height * factor}; }
    constexpr bool operator==(const CGSize&) const = default;
};

// Distances to inset from each edge of a rectangle (positive values shrink it).
struct UIEdgeInsets {
    CGFloat top{0};
    CGFloat left{0};
    CGFloat bottom{0};
    CGFloat right{0};

    constexpr bool operator==(const UIEdgeInsets&) const = default;
};

struct CGRect {
    CGPoint origin;
    CGSize size;

    constexpr CGFloat minX() const { return std::min(origin.x, origin.x + size.width); }
    constexpr CGFloat maxX() const { return std::max(origin.x, origin.x + size.width); }
    constexpr CGFloat midX() const { return origin.x + size.width / 2; }
    constexpr CGFloat minY() const { return std::min(origin.y, origin.y + size.height); }
    constexpr CGFloat maxY() const { return std::max(origin.y, origin.y + size.height); }
    constexpr CGFloat midY() const { return origin.y + size.height / 2; }
    constexpr CGFloat width() const { return maxX() - minX(); }
    constexpr CGFloat height() const { return maxY() - minY(); }
    constexpr CGPoint center() const { return {midX(), midY()}; }

    // The same rectangle with a non-negative width and height.
    constexpr CGRect standardized() const { return {{minX(), minY()}, {width(), height()}}; }
    constexpr bool isEmpty() const { return width() == 0 || height() == 0; }

    // Right and bottom edges are outside, so adjacent rectangles never share a point.
    constexpr bool contains(CGPoint p) const {
        return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
    }
    // True when the two share an area; rectangles that only touch do not intersect.
    constexpr bool intersects(const CGRect& other) const {
        return minX() < other.maxX() && other.minX() < maxX() && minY() < other.maxY() &&
               other.minY() < maxY();
    }
    // The common area, or a zero rectangle when there is none.
    constexpr CGRect intersection(const CGRect& other) const {
        if (!intersects(other))
            return {};
        CGFloat left = std::max(minX(), other.minX());
        CGFloat top = std::max(minY(), other.minY());
        return {{left, top},
                {std::min(maxX(), other.maxX()) - left, std::min(maxY(), other.maxY()) - top}};
    }

    constexpr CGRect offsetBy(CGFloat dx, CGFloat dy) const {
        CGRect r = standardized();
        return {r.origin.offsetBy(dx, dy), r.size};
    }
    // Shrinks by dx on the left and right and dy on the top and bottom (grows when negative);
    // a rectangle shrunk past nothing keeps its centre and gets a zero size on that axis.
    constexpr CGRect insetBy(CGFloat dx, CGFloat dy) const { return inset({dy, dx, dy, dx}); }
    constexpr CGRect inset(const UIEdgeInsets& insets) const {
        CGRect r = standardized();
        CGFloat w = r.size.width - insets.left - insets.right;
        CGFloat h = r.size.height - insets.top - insets.bottom;
        CGFloat x = w >= 0 ? r.origin.x + insets.left : r.origin.x + insets.left + w / 2;
        CGFloat y = h >= 0 ? r.origin.y + insets.top : r.origin.y + insets.top + h / 2;
        return {{x, y}, {std::max<CGFloat>(w, 0), std::max<CGFloat>(h, 0)}};
    }

    constexpr bool operator==(const CGRect&) const = default;
};

inline constexpr CGPoint CGPointZero{};
inline constexpr CGSize CGSizeZero{};
inline constexpr CGRect CGRectZero{};
inline constexpr UIEdgeInsets UIEdgeInsetsZero{};

constexpr CGPoint CGPointMake(CGFloat x, CGFloat y) {
    return {x, y};
}
constexpr CGSize CGSizeMake(CGFloat width, CGFloat height) {
    return {width, height};
}
constexpr CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat width, CGFloat height) {
    return {{x, y}, {width, height}};
}
constexpr UIEdgeInsets UIEdgeInsetsMake(CGFloat top, CGFloat left, CGFloat bottom, CGFloat right) {
    return {top, left, bottom, right};
}

constexpr CGFloat CGRectGetMinX(const CGRect& r) {
    return r.minX();
}
constexpr CGFloat CGRectGetMidX(const CGRect& r) {
    return r.midX();
}
constexpr CGFloat CGRectGetMaxX(const CGRect& r) {
    return r.maxX();
}
constexpr CGFloat CGRectGetMinY(const CGRect& r) {
    return r.minY();
}
constexpr CGFloat CGRectGetMidY(const CGRect& r) {
    return r.midY();
}
constexpr CGFloat CGRectGetMaxY(const CGRect& r) {
    return r.maxY();
}
constexpr CGFloat CGRectGetWidth(const CGRect& r) {
    return r.width();
}
constexpr CGFloat CGRectGetHeight(const CGRect& r) {
    return r.height();
}
constexpr bool CGRectIsEmpty(const CGRect& r) {
    return r.isEmpty();
}
constexpr bool CGRectContainsPoint(const CGRect& r, CGPoint p) {
    return r.contains(p);
}
constexpr bool CGRectIntersectsRect(const CGRect& a, const CGRect& b) {
    return a.intersects(b);
}
constexpr CGRect CGRectIntersection(const CGRect& a, const CGRect& b) {
    return a.intersection(b);
}
constexpr CGRect CGRectOffset(const CGRect& r, CGFloat dx, CGFloat dy) {
    return r.offsetBy(dx, dy);
}
constexpr CGRect CGRectInset(const CGRect& r, CGFloat dx, CGFloat dy) {
    return r.insetBy(dx, dy);
}
constexpr CGRect UIEdgeInsetsInsetRect(const CGRect& r, const UIEdgeInsets& insets) {
    return r.inset(insets);
}
constexpr bool CGRectEqualToRect(const CGRect& a, const CGRect& b) {
    return a == b;
}
constexpr bool CGPointEqualToPoint(CGPoint a, CGPoint b) {
    return a == b;
}
constexpr bool CGSizeEqualToSize(CGSize a, CGSize b) {
    return a == b;
}
