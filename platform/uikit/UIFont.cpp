#include "platform/uikit/UIFont.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = UIFont::registerRuntimeClass();
} // namespace

Class UIFont::registerRuntimeClass() {
    static const Class cls = objc::ClassBuilder<UIFont>("UIFont")
                                 .classMethod(
                                     "systemFontOfSize:",
                                     +[](Class, SEL, double size) {
                                         return objc::Ref<NSObject>(systemFontOfSize(size));
                                     })
                                 .classMethod(
                                     "boldSystemFontOfSize:",
                                     +[](Class, SEL, double size) {
                                         return objc::Ref<NSObject>(boldSystemFontOfSize(size));
                                     })
                                 .method<&UIFont::pointSize>("pointSize")
                                 .method<&UIFont::fontWithSize>("fontWithSize:");
    return cls;
}

objc::Ref<UIFont> UIFont::systemFontOfSize(double pointSize) {
    return objc::make<UIFont>(quartz::Font{pointSize, false});
}

objc::Ref<UIFont> UIFont::boldSystemFontOfSize(double pointSize) {
    return objc::make<UIFont>(quartz::Font{pointSize, true});
}

objc::Ref<UIFont> UIFont::fontWithSize(double pointSize) const {
    return objc::make<UIFont>(quartz::Font{pointSize, m_font.bold});
}
