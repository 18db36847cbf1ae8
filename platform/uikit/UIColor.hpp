// UIColor: an immutable RGBA colour object over quartz::Color, with the platform's factories
// (RGB, HSB, white level, named colours), its readings back and equality by value.
//   Ref<UIColor> red = UIColor::colorWithRed(1, 0, 0, 1);   red->CGColor().hexString()
#pragma once

#include "platform/objc/objc.hpp"
#include "platform/quartz/color.hpp"

class UIColor : public NSObject {
public:
    static Class registerRuntimeClass();

    UIColor() = default;
    explicit UIColor(quartz::Color color) : m_color(color) {}

    static objc::Ref<UIColor> colorWithCGColor(CGColorRef color);
    static objc::Ref<UIColor> colorWithRed(double red, double green, double blue, double alpha);
    static objc::Ref<UIColor> colorWithHue(double hue, double saturation, double brightness,
                                           double alpha);
    static objc::Ref<UIColor> colorWithWhite(double white, double alpha);
    static objc::Ref<UIColor> whiteColor();
    static objc::Ref<UIColor> blackColor();
    static objc::Ref<UIColor> clearColor();

    CGColorRef CGColor() const { return m_color; }
    // The platform's readings: each out-pointer may be null; always true for RGB colours.
    bool getRed(double* red, double* green, double* blue, double* alpha) const;
    bool getHue(double* hue, double* saturation, double* brightness, double* alpha) const;
    bool getWhite(double* white, double* alpha) const;
    objc::Ref<UIColor> colorWithAlphaComponent(double alpha) const;
    // Same channels; `other` may be any object (nil and non-colours are unequal).
    bool isEqual(id other) const;

private:
    quartz::Color m_color;
};
