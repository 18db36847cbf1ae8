#include "platform/uikit/UIColor.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = UIColor::registerRuntimeClass();

void store(double* target, double value) {
    if (target)
        *target = value;
}
} // namespace

Class UIColor::registerRuntimeClass() {
    static const Class cls =
        objc::ClassBuilder<UIColor>("UIColor")
            .classMethod(
                "colorWithRed:green:blue:alpha:",
                +[](Class, SEL, double r, double g, double b, double a) {
                    return objc::Ref<NSObject>(colorWithRed(r, g, b, a));
                })
            .classMethod(
                "colorWithHue:saturation:brightness:alpha:",
                +[](Class, SEL, double h, double s, double b, double a) {
                    return objc::Ref<NSObject>(colorWithHue(h, s, b, a));
                })
            .classMethod(
                "colorWithWhite:alpha:",
                +[](Class, SEL, double w, double a) {
                    return objc::Ref<NSObject>(colorWithWhite(w, a));
                })
            .classMethod(
                "colorWithCGColor:",
                +[](Class, SEL, CGColorRef c) { return objc::Ref<NSObject>(colorWithCGColor(c)); })
            .classMethod(
                "whiteColor", +[](Class, SEL) { return objc::Ref<NSObject>(whiteColor()); })
            .classMethod(
                "blackColor", +[](Class, SEL) { return objc::Ref<NSObject>(blackColor()); })
            .classMethod(
                "clearColor", +[](Class, SEL) { return objc::Ref<NSObject>(clearColor()); })
            .method<&UIColor::CGColor>("CGColor")
            .method<&UIColor::getRed>("getRed:green:blue:alpha:")
            .method<&UIColor::getHue>("getHue:saturation:brightness:alpha:")
            .method<&UIColor::getWhite>("getWhite:alpha:")
            .method<&UIColor::colorWithAlphaComponent>("colorWithAlphaComponent:")
            .method<&UIColor::isEqual>("isEqual:");
    return cls;
}

objc::Ref<UIColor> UIColor::colorWithCGColor(CGColorRef color) {
    return objc::make<UIColor>(color);
}

objc::Ref<UIColor> UIColor::colorWithRed(double red, double green, double blue, double alpha) {
    return objc::make<UIColor>(quartz::Color{red, green, blue, alpha});
}

objc::Ref<UIColor> UIColor::colorWithHue(double hue, double saturation, double brightness,
                                         double alpha) {
    return objc::make<UIColor>(quartz::Color::fromHSB(hue, saturation, brightness, alpha));
}

objc::Ref<UIColor> UIColor::colorWithWhite(double white, double alpha) {
    return objc::make<UIColor>(quartz::Color::white(white, alpha));
}

objc::Ref<UIColor> UIColor::whiteColor() {
    return colorWithCGColor(quartz::Color::white());
}

objc::Ref<UIColor> UIColor::blackColor() {
    return colorWithCGColor(quartz::Color::black());
}

objc::Ref<UIColor> UIColor::clearColor() {
    return colorWithCGColor(quartz::Color::clear());
}

bool UIColor::getRed(double* red, double* green, double* blue, double* alpha) const {
    store(red, m_color.red);
    store(green, m_color.green);
    store(blue, m_color.blue);
    store(alpha, m_color.alpha);
    return true;
}

bool UIColor::getHue(double* hue, double* saturation, double* brightness, double* alpha) const {
    quartz::HSB hsb = m_color.hsb();
    store(hue, hsb.hue);
    store(saturation, hsb.saturation);
    store(brightness, hsb.brightness);
    store(alpha, m_color.alpha);
    return true;
}

bool UIColor::getWhite(double* white, double* alpha) const {
    // Luma of the platform's grey conversion: a grey reads back its own level.
    store(white, 0.299 * m_color.red + 0.587 * m_color.green + 0.114 * m_color.blue);
    store(alpha, m_color.alpha);
    return true;
}

objc::Ref<UIColor> UIColor::colorWithAlphaComponent(double alpha) const {
    return colorWithCGColor(m_color.withAlpha(alpha));
}

bool UIColor::isEqual(id other) const {
    auto* color = dynamic_cast<const UIColor*>(other);
    return color && color->m_color == m_color;
}
