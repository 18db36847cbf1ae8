#include "platform/uikit/UIScreen.hpp"

#include <cmath>
#include <stdexcept>

namespace {
[[maybe_unused]] const Class registeredAtLoad = UIScreen::registerRuntimeClass();
} // namespace

Class UIScreen::registerRuntimeClass() {
    static const Class cls = objc::ClassBuilder<UIScreen>("UIScreen")
                                 .classMethod(
                                     "mainScreen", +[](Class, SEL) -> id { return mainScreen(); })
                                 .method<&UIScreen::bounds>("bounds")
                                 .method<&UIScreen::scale>("scale");
    return cls;
}

UIScreen* UIScreen::mainScreen() {
    static const objc::Ref<UIScreen> screen = objc::make<UIScreen>();
    return screen.get();
}

void UIScreen::setScale(double scale) {
    if (!(scale > 0) || !std::isfinite(scale))
        throw std::invalid_argument("screen scale must be a positive number");
    m_scale = scale;
}
