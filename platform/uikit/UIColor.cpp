#include "platform/uikit/UIColor.hpp"

#include "platform/quartz/ui_graphics.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = UIColor::registerRuntimeClass();

// The fill colour chosen by setFill and the context it was chosen for: a context made current
// later starts again from black, as a new graphics state does.
struct FillState {
    CGContextRef context{nullptr};
    quartz::Color color{quartz::Color::black()};
};
thread_local FillState fillState;

objc::Ref<NSObject> named(objc::Ref<UIColor> (*factory)()) {
    return objc::Ref<NSObject>(factory());
}

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
                "whiteColor", +[](Class, SEL) { return named(&whiteColor); })
            .classMethod(
                "blackColor", +[](Class, SEL) { return named(&blackColor); })
            .classMethod(
                "clearColor", +[](Class, SEL) { return named(&clearColor); })
            .classMethod(
                "redColor", +[](Class, SEL) { return named(&redColor); })
            .classMethod(
                "greenColor", +[](Class, SEL) { return named(&greenColor); })
            .classMethod(
                "blueColor", +[](Class, SEL) { return named(&blueColor); })
            .classMethod(
                "yellowColor", +[](Class, SEL) { return named(&yellowColor); })
            .classMethod(
                "grayColor", +[](Class, SEL) { return named(&grayColor); })
            .classMethod(
                "lightGrayColor", +[](Class, SEL) { return named(&lightGrayColor); })
            .classMethod(
                "darkGrayColor", +[](Class, SEL) { return named(&darkGrayColor); })
            .method<&UIColor::setFill>("setFill")
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

objc::Ref<UIColor> UIColor::redColor() {
    return colorWithRed(1, 0, 0, 1);
}

objc::Ref<UIColor> UIColor::greenColor() {
    return colorWithRed(0, 1, 0, 1);
}

objc::Ref<UIColor> UIColor::blueColor() {
    return colorWithRed(0, 0, 1, 1);
}

objc::Ref<UIColor> UIColor::yellowColor() {
    return colorWithRed(1, 1, 0, 1);
}

objc::Ref<UIColor> UIColor::grayColor() {
    return colorWithWhite(0.5, 1);
}

objc::Ref<UIColor> UIColor::lightGrayColor() {
    return colorWithWhite(2.0 / 3.0, 1);
}

objc::Ref<UIColor> UIColor::darkGrayColor() {
    return colorWithWhite(1.0 / 3.0, 1);
}

void UIColor::setFill() const {
    if (CGContextRef context = UIGraphicsGetCurrentContext())
        fillState = {context, m_color};
}

void UIRectFill(CGRect rect) {
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (!context)
        return;
    context->fillRect(rect,
                      fillState.context == context ? fillState.color : quartz::Color::black());
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
