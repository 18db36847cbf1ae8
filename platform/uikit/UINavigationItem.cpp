#include "platform/uikit/UINavigationItem.hpp"

#include "platform/uikit/UIView.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = UINavigationItem::registerRuntimeClass();
} // namespace

Class UINavigationItem::registerRuntimeClass() {
    UIBarButtonItem::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<UINavigationItem>("UINavigationItem")
            .method<&UINavigationItem::title>("title")
            .method<&UINavigationItem::setTitle>("setTitle:")
            .method<&UINavigationItem::titleView>("titleView")
            .method<&UINavigationItem::setTitleView>("setTitleView:")
            .method<&UINavigationItem::leftBarButtonItem>("leftBarButtonItem")
            .method<&UINavigationItem::setLeftBarButtonItem>("setLeftBarButtonItem:")
            .method<&UINavigationItem::rightBarButtonItem>("rightBarButtonItem")
            .method<&UINavigationItem::setRightBarButtonItem>("setRightBarButtonItem:")
            .method<&UINavigationItem::hidesBackButton>("hidesBackButton")
            .method<&UINavigationItem::setHidesBackButton>("setHidesBackButton:");
    return cls;
}

void UINavigationItem::setTitleView(UIView* view) {
    m_titleView = view;
}
