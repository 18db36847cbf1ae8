// UIColor: an immutable RGBA colour object over quartz::Color, with the platform's factories
// (RGB, HSB, white level, named colours), its readings back and equality by value. setFill
// chooses the colour that UIRectFill paints into the current context.
//   Ref<UIColor> red = UIColor::colorWithRed(1, 0, 0, 1);   red->CGColor().hexString()
#pragma once

#include "platform/objc/objc.hpp"
#include "platform/quartz/color.hpp"
#include "platform/quartz/geometry.hpp"

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
    static objc::Ref<UIColor> redColor();
    static objc::Ref<UIColor> greenColor();
    static objc::Ref<UIColor> blueColor();
    static objc::Ref<UIColor> yellowColor();
    static objc::Ref<UIColor> grayColor();
    static objc::Ref<UIColor> lightGrayColor();
    static objc::Ref<UIColor> darkGrayColor();

    CGColorRef CGColor() const { return m_color; }
    // The platform's readings: each out-pointer may be null; always true for RGB colours.
    bool getRed(double* red, double* green, double* blue, double* alpha) const;
    bool getHue(double* hue, double* saturation, double* brightness, double* alpha) const;
    bool getWhite(double* white, double* alpha) const;
    objc::Ref<UIColor> colorWithAlphaComponent(double alpha) const;
    // The fill colour of the current context (UIGraphicsGetCurrentContext) until it changes;
    // ignored when there is no current context.
    void setFill() const;
    // Same channels; `other` may be any object (nil and non-colours are unequal).
    bool isEqual(id other) const;

private:
    quartz::Color m_color;
};

// Fills the rectangle in the current context with its fill colour (black unless a colour's
// setFill chose one for that context); does nothing without a current context.
void UIRectFill(CGRect rect);
