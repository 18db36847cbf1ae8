#include "platform/uikit/UIApplication.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = UIApplication::registerRuntimeClass();
} // namespace

Class UIApplication::registerRuntimeClass() {
    static const Class cls =
        objc::ClassBuilder<UIApplication>("UIApplication")
            .classMethod(
                "sharedApplication", +[](Class, SEL) -> id { return sharedApplication(); })
            .method<&UIApplication::openURL>("openURL:")
            .method<&UIApplication::canOpenURL>("canOpenURL:");
    return cls;
}

UIApplication* UIApplication::sharedApplication() {
    static const objc::Ref<UIApplication> application = objc::make<UIApplication>();
    return application.get();
}

bool UIApplication::openURL(std::string url) {
    if (url.empty())
        return false;
    m_openedURLs.push_back(std::move(url));
    return true;
}
